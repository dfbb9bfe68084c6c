#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace XQTestDev {

// One of the library's own pictures by its resource name: "ROUNDBUTTONUP",
// "ROUNDBUTTONDOWN", "ROUNDBUTTONDISABLE", "GREENON", "GREENOFF", "XQPASS",
// "XQFAIL", "CABINETLOGO", "MAKERLOGO", the bar meter's "LEDGRAYVER",
// "LEDGREENVER", "LEDYELLOWVER", "LEDMAGENTAVER", "LEDREDVER", "LEFTUP",
// "LEFTDOWN", "LEFTDISABLE", "RIGHTUP", "RIGHTDOWN", "RIGHTDISABLE". A null
// pixmap for any other name. On a screen that scales, the same picture
// painted at twice the pixels (device pixel ratio 2, the same logical size).
QPixmap libraryPicture(const QString& name);

// Its resource path, for code that loads it another way.
QString libraryPicturePath(const QString& name);

// Pictures are made at the screen's device pixels, not its logical ones, so
// that they stay sharp on a screen that scales (a high-DPI screen, or
// QT_SCALE_FACTOR): the primary screen's device pixel ratio, 1 without one.
qreal screenPixelRatio();
// A transparent canvas of `logical` size at that ratio, to paint on in
// logical coordinates.
QPixmap sharpCanvas(QSize logical);
// `source` scaled to fit `logical` (its proportions kept) at that ratio.
QPixmap sharpFitted(const QPixmap& source, QSize logical);

} // namespace XQTestDev
