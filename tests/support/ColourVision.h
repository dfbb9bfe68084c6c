#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace XQTestDev::testing {

// A picture as an operator with deuteranopia (no green-sensitive cones, the
// most common colour blindness) sees it, after Machado, Oliveira and
// Fernandes (2009), severity 1, applied in linear RGB.
QImage asDeuteranope(const QImage& picture);

// With XQ_SHOTS=<folder>: saves `window` as <name>.png and as a
// deuteranope sees it, <name>-deuteranopia.png, for a look by eye.
void saveShotsForColourCheck(QWidget& window, const QString& name);

} // namespace XQTestDev::testing
