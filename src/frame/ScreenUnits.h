#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace XQTestDev {

// Window sizes and positions are given in twips (1/1440 inch); the window
// system works in logical pixels. One twip per pixel ratio per axis, taken
// from the primary screen's logical dpi (15 at 96 dpi).
double twipsPerPixelX();
double twipsPerPixelY();

int toPixelsX(double twips);
int toPixelsY(double twips);
int toTwipsX(int pixels);
int toTwipsY(int pixels);

// A control's place in pixels from its design place in twips. The edges are
// rounded, not the size, so that controls designed edge to edge stay edge to
// edge, with neither a gap nor an overlap between them.
QRect twipsRect(int left, int top, int width, int height);
QRect twipsRect(const QRect& twips);

// The primary screen's available area in twips (without the 30-twip margin).
QSize usableScreenTwips();

// A window's outer size and position in twips.
QSize windowSizeTwips(const QWidget& window);
QPoint windowPositionTwips(const QWidget& window);
void resizeWindowTwips(QWidget& window, double widthTwips, double heightTwips);
void moveWindowTwips(QWidget& window, double leftTwips, double topTwips);

} // namespace XQTestDev
