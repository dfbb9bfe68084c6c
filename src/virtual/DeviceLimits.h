#pragma once

#include "ui/VerdictColours.h"

#include <QString>

namespace XQTestDev {

// The pass band of a virtual device. A limit at its default means "no limit
// on this side". A limit that would cross the other one is refused, and so is
// a limit that is not a number: it could never be compared with anything.
class DeviceLimits {
public:
    static constexpr double NoLowerLimit = -1e308;
    static constexpr double NoUpperLimit = 1e308;

    double min() const { return min_; }
    double max() const { return max_; }

    // False (and the limit unchanged) when refused.
    bool setMin(double value);
    bool setMax(double value);

    bool minSet() const { return min_ != NoLowerLimit; }
    bool maxSet() const { return max_ != NoUpperLimit; }

    // Values equal to a limit pass. A reading that is not a number never
    // passes: it is no reading.
    bool passes(double value) const;

private:
    double min_ = NoLowerLimit;
    double max_ = NoUpperLimit;
};

// The colour a value is painted in (0x00BBGGRR), and the pass state read back
// from it: a panel whose two colours are the same shows every value as passed.
struct DeviceVerdict {
    int colour = 0;
    bool isPassed = false;
};
DeviceVerdict judgeValue(const DeviceLimits& limits, double value, const VerdictColours& colours);

inline const QString InvalidMinMessage = QStringLiteral("Invalid Number Min Number!");
inline const QString InvalidMaxMessage = QStringLiteral("Invalid Number Max Number!");

} // namespace XQTestDev
