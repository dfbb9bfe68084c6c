#include "virtual/LedBarDisplay.h"

#include "virtual/NumberPattern.h"

namespace XQTestDev {

LedBarView ledBarView(const LedBarFields& fields) {
    const LedBarSettings& s = fields.settings;
    LedBarView view;
    view.value = fields.currentValue;
    view.barValue = clampToScale(fields.currentValue, s.scaleMin, s.scaleMax);
    if (view.value > view.barValue)
        view.beyondScale = +1;
    else if (view.value < view.barValue)
        view.beyondScale = -1;
    view.readout = formatWithPattern(view.value, fields.decimals);
    if (!fields.suffix.isEmpty())
        view.readout += QLatin1Char(' ') + fields.suffix;
    view.colour = fields.colours.colourFor(inBand(view.value, s.min, s.max));
    view.litLeds = litLedCount(view.barValue, s.scaleMin, s.scaleMax, fields.ledStep);
    view.knobLeft = knobLeftFor(view.litLeds);
    return view;
}

double steppedValue(const LedBarFields& fields, int direction) {
    const LedBarSettings& s = fields.settings;
    const double from = clampToScale(fields.currentValue, s.scaleMin, s.scaleMax);
    return clampToScale(from + direction * fields.arrowStep, s.scaleMin, s.scaleMax);
}

} // namespace XQTestDev
