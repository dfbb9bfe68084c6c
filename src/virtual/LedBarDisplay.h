#pragma once

#include "ui/VerdictColours.h"
#include "virtual/LedBarScale.h"

#include <QString>

#include <optional>

namespace XQTestDev {

// What the LED bar's window holds to show a value: the settings Show gave
// it, and the current value.
struct LedBarFields {
    LedBarSettings settings;
    double ledStep = 0;
    double arrowStep = 0;
    std::optional<int> decimals = 0;
    QString suffix;
    VerdictColours colours;
    bool allowAdjust = false;
    double currentValue = 0;
};

// One refresh of the display. The bar stops at the ends of its scale, but the
// readout, its colour (0x00BBGGRR) and the value reported are the value that
// was sent: 5.4 on a scale ending at 5.25 must not read, or pass, as 5.25.
// `beyondScale` says on which side of the scale the value lies (-1 below,
// +1 above, 0 within), for the over-range mark at that end of the bar.
struct LedBarView {
    double value = 0;    // as sent
    double barValue = 0; // as the bar shows it, within the scale
    int beyondScale = 0;
    QString readout;
    int colour = 0;
    int litLeds = 0;
    int knobLeft = KnobLeftMost;
};
LedBarView ledBarView(const LedBarFields& fields);

// The value one arrow step (direction -1 or +1) away, within the scale: an
// operator's step starts from where the bar stands, even when the value sent
// lies beyond the scale.
double steppedValue(const LedBarFields& fields, int direction);

} // namespace XQTestDev
