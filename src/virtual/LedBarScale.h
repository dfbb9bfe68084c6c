#pragma once

#include <QString>

#include <optional>

namespace XQTestDev {

// The LED bar's geometry in twips: LED i has its left edge at 120 + 120 i,
// and the knob's left edge runs from 60 to 4740.
inline constexpr int LedCount = 40;
inline constexpr int LedPitch = 120;
inline constexpr int FirstLedLeft = 120;
inline constexpr int LedWidth = 135;
inline constexpr int LedHeight = 285;
inline constexpr int KnobLeftMost = 60;
inline constexpr int KnobRightMost = 4740;

// What the station program set for the bar, as the window holds it.
struct LedBarSettings {
    double scaleMin = 0;
    double scaleMax = 0;
    double min = 0;
    double max = 0;
    double preciseStep = 0;
};

// The first of the four checks of Show that fails, as its message; nothing
// when the settings can be shown. A scale end that is not a finite number
// fails the scale check: no bar can be drawn to it.
std::optional<QString> showRefusal(const LedBarSettings& settings);

// One LED's worth of the scale: |ScaleMax - ScaleMin| / 40. A scale wider
// than the largest double (-1e308 to 1e308) still gets its true step.
double ledStepOf(double scaleMin, double scaleMax);

// One arrow press: PreciseStep when it is set and not more than an LED's
// worth, else the LED step. A negative PreciseStep counts as not set: it
// would turn the arrows round.
double arrowStepOf(double preciseStep, double ledStep);

// Values outside the scale show as its nearest end; a value that is not a
// number stays as it is (and fails, and lights nothing).
double clampToScale(double value, double scaleMin, double scaleMax);

// Pass band, both ends inclusive.
bool inBand(double value, double min, double max);

// How many LEDs the value lights: one for each threshold ScaleMin + n x step
// (n = 1, 2, ... up to ScaleMax) that the value reaches, compared in single
// precision. A scale beyond single precision is compared in double, so that a
// bar of 1e308 still fills in proportion. A step of 0 (no scale) lights none.
int litLedCount(double value, double scaleMin, double scaleMax, double ledStep);

// The knob's left edge for k lit LEDs: 60 twips right of LED k-2's left edge,
// or at the left end for fewer than two.
int knobLeftFor(int litLeds);

// Where a knob dragged to `newLeft` (twips) goes, and the value it chose.
struct KnobPlace {
    double value = 0;
    int knobLeft = 0;
};
KnobPlace dragKnobTo(double newLeft, double scaleMin, double scaleMax, double ledStep);

// What the object last reported through ValueChanged. A refresh reports only
// a value that differs from the last one (or the first value at all); two
// not-a-number values count as the same.
class ReportedValue {
public:
    // True when `value` is news and was taken as the last reported value.
    bool take(double value);

private:
    std::optional<double> last_;
};

} // namespace XQTestDev
