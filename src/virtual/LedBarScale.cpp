#include "virtual/LedBarScale.h"

#include "ui/CabinetSteps.h"

#include <cmath>
#include <limits>

namespace XQTestDev {

namespace {

bool finite(double value) {
    return std::isfinite(value);
}

bool fitsSingle(double value) {
    return std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max());
}

// ScaleMin + n x step. Worked out in halves, which changes no rounding (a
// halving is exact), so that a scale reaching across the whole double range
// does not overflow on its way up.
double scalePoint(double scaleMin, int n, double step) {
    return 2.0 * (scaleMin / 2 + n * (step / 2));
}

} // namespace

std::optional<QString> showRefusal(const LedBarSettings& s) {
    if (!finite(s.scaleMin) || !finite(s.scaleMax) || !(s.scaleMin < s.scaleMax))
        return QStringLiteral("Scale Min value must less than Scale Max value!");
    if (!(s.min < s.max))
        return QStringLiteral("Min value must less than Max value!");
    if (!(s.min >= s.scaleMin && s.min <= s.scaleMax))
        return QStringLiteral("Min value must less than both Scale Min and Scale Max!");
    if (!(s.max >= s.scaleMin && s.max <= s.scaleMax))
        return QStringLiteral("Max value must greater than Scale Min and less than Scale Max!");
    return std::nullopt;
}

double ledStepOf(double scaleMin, double scaleMax) {
    const double width = std::fabs(scaleMax - scaleMin);
    if (finite(width) || !finite(scaleMin) || !finite(scaleMax))
        return width / LedCount;
    return std::fabs(scaleMax / LedCount - scaleMin / LedCount);
}

double arrowStepOf(double preciseStep, double ledStep) {
    if (preciseStep > 0 && preciseStep <= ledStep)
        return preciseStep;
    return ledStep;
}

double clampToScale(double value, double scaleMin, double scaleMax) {
    if (value < scaleMin)
        return scaleMin;
    if (value > scaleMax)
        return scaleMax;
    return value;
}

bool inBand(double value, double min, double max) {
    return min <= value && value <= max;
}

int litLedCount(double value, double scaleMin, double scaleMax, double ledStep) {
    if (!(ledStep > 0) || !finite(ledStep) || std::isnan(value))
        return 0;
    const bool single = fitsSingle(scaleMin) && fitsSingle(scaleMax) && fitsSingle(value);
    int lit = 0;
    for (int n = 1; n <= LedCount; ++n) {
        const double threshold = scalePoint(scaleMin, n, ledStep);
        if (single) {
            const float limit = static_cast<float>(threshold);
            if (limit > static_cast<float>(scaleMax) || static_cast<float>(value) < limit)
                break;
        } else if (threshold > scaleMax || value < threshold) {
            break;
        }
        ++lit;
    }
    return lit;
}

int knobLeftFor(int litLeds) {
    if (litLeds < 2)
        return KnobLeftMost;
    return FirstLedLeft + LedPitch * (litLeds - 2) + KnobLeftMost;
}

KnobPlace dragKnobTo(double newLeft, double scaleMin, double scaleMax, double ledStep) {
    if (newLeft < KnobLeftMost)
        return {scaleMin, KnobLeftMost};
    if (newLeft > KnobRightMost)
        return {scaleMax, KnobRightMost};
    const int n = roundHalfEven((newLeft + KnobLeftMost) / LedPitch);
    double value = scalePoint(scaleMin, n, ledStep);
    if (value > scaleMax)
        value = scaleMax;
    return {value, static_cast<int>(std::lround(newLeft))};
}

bool ReportedValue::take(double value) {
    if (last_) {
        const bool same = *last_ == value || (std::isnan(*last_) && std::isnan(value));
        if (same)
            return false;
    }
    last_ = value;
    return true;
}

} // namespace XQTestDev
