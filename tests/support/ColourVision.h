#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace XQTestDev::testing {

// A picture as an operator with deuteranopia (no green-sensitive cones, the
// most common colour blindness) sees it, after Machado, Oliveira and
// Fernandes (2009), severity 1, applied in linear RGB.
QImage asDeuteranope(const QImage& picture);

// The same for protanopia (no red-sensitive cones): red reads dark as well
// as close to green.
QImage asProtanope(const QImage& picture);

// With XQ_SHOTS=<folder>: saves `window` as <name>.png and as a
// deuteranope and a protanope see it, <name>-deuteranopia.png and
// <name>-protanopia.png, for a look by eye.
void saveShotsForColourCheck(QWidget& window, const QString& name);

} // namespace XQTestDev::testing
