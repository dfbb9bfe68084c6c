#pragma once

#include "frame/Verdict.h"
#include "ui/VerdictColours.h"

#include <QColor>

#include <cstdint>

namespace XQTestDev {

// How a group window paints a row's verdict: black for a pass, red for a
// fail, green while under test. The verdict itself lives in the run model.
enum class ValueColour { Black, Red, Green, ButtonFace };

// The row frame around a value: the usual look, or the brighter one while the
// station program reports "TESTING".
enum class FrameLook { Result, Testing };

ValueColour colourOf(Verdict verdict);
FrameLook frameOf(Verdict verdict);

// Colours as the station's files and programs name them: 0x00BBGGRR, and the
// system button-face colour 0x8000000F.
std::uint32_t colourCode(ValueColour colour);
std::uint32_t frameFillCode(FrameLook look);
std::uint32_t frameOutlineCode(FrameLook look);

// On screen; the button face is the palette's button colour.
QColor toQColor(ValueColour colour);

} // namespace XQTestDev
