#pragma once

#include <QString>

namespace XQTestDev {

// Line 0 or 1 of the status message window, written by the instrument code.
// Dropped silently while StatusHide is set or a pop-up menu of a library
// window is open; writing makes the window exist.
void writeStatusLine(int line, const QString& text);

// Places the status window by the StatusPosition of all instruments (storing
// the place back for positions 1 to 9) and shows it unless hidden.
void placeStatusWindow();

void bringStatusWindowToFront();

} // namespace XQTestDev
