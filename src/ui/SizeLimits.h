#pragma once

class QWidget;

namespace XQTestDev {

// The cabinet's animations take a window down to nothing and back. A window
// with a minimum size (a fixed design size, or its layout's) would refuse, so
// the limits are set aside for the animation and put back once the window
// has its full size again. Setting aside twice keeps the first limits.
void setSizeLimitsAside(QWidget& window);
void restoreSizeLimits(QWidget& window);

} // namespace XQTestDev
