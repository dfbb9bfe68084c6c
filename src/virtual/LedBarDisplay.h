#pragma once

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
    int passColour = 65280;
    int failColour = 255;
    bool allowAdjust = false;
    double currentValue = 0;
};

// One refresh of the display: the value clamped to the scale, the readout
// and its colour (0x00BBGGRR), how many LEDs are lit and where the knob goes.
struct LedBarView {
    double value = 0;
    QString readout;
    int colour = 0;
    int litLeds = 0;
    int knobLeft = KnobLeftMost;
};
LedBarView ledBarView(const LedBarFields& fields);

} // namespace XQTestDev
