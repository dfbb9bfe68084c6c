#include "virtual/LedBarDisplay.h"

#include "virtual/NumberPattern.h"

namespace XQTestDev {

LedBarView ledBarView(const LedBarFields& fields) {
    const LedBarSettings& s = fields.settings;
    LedBarView view;
    view.value = clampToScale(fields.currentValue, s.scaleMin, s.scaleMax);
    view.readout = formatWithPattern(view.value, fields.decimals);
    if (!fields.suffix.isEmpty())
        view.readout += QLatin1Char(' ') + fields.suffix;
    view.colour = inBand(view.value, s.min, s.max) ? fields.passColour : fields.failColour;
    view.litLeds = litLedCount(view.value, s.scaleMin, s.scaleMax, fields.ledStep);
    view.knobLeft = knobLeftFor(view.litLeds);
    return view;
}

} // namespace XQTestDev
