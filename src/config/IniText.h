#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace XQTestDev {

// INI files are UTF-8; a line that is not valid UTF-8 was written on another
// station in Windows-1252 and is read as such.
QString decodeIniBytes(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);

} // namespace XQTestDev
