#pragma once

#include <QColor>

#include <cstdint>

namespace XQTestDev {

// The colours a reading is painted in when it passes and when it fails, as
// the station program gives them (0x00BBGGRR): green and red until it sets
// its own.
struct VerdictColours {
    int pass = 65280;
    int fail = 255;

    int colourFor(bool passed) const { return passed ? pass : fail; }
};

// A colour as the station program gives it, 0x00BBGGRR; the top byte is not
// part of the colour.
QColor colourFromBgr(std::uint32_t bgr);

} // namespace XQTestDev
