#pragma once

#include <QPixmap>
#include <QString>

namespace XQTestDev {

// One of the library's own pictures by its resource name: "ROUNDBUTTONUP",
// "ROUNDBUTTONDOWN", "ROUNDBUTTONDISABLE", "GREENON", "GREENOFF", "XQPASS",
// "XQFAIL", "CABINETLOGO", "MAKERLOGO", the bar meter's "LEDGRAYVER",
// "LEDGREENVER", "LEDYELLOWVER", "LEDMAGENTAVER", "LEDREDVER", "LEFTUP",
// "LEFTDOWN", "LEFTDISABLE", "RIGHTUP", "RIGHTDOWN", "RIGHTDISABLE". A null
// pixmap for any other name.
QPixmap libraryPicture(const QString& name);

// Its resource path, for code that loads it another way.
QString libraryPicturePath(const QString& name);

} // namespace XQTestDev
