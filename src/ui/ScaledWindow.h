#pragma once

class QWidget;

namespace XQTestDev {

// Scales a window built at its design size by `factor`: its size, every
// control's place (edges rounded, so that controls designed edge to edge stay
// so), every font set on it or its controls, and its pictures (fitted again
// from their source where they keep one, so that they stay sharp). Pop-up
// menus and other windows it owns are left alone.
void scaleWindow(QWidget& window, double factor);

} // namespace XQTestDev
