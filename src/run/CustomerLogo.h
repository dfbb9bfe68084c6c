#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace XQTestDev {

// The picture file that ATE.INI's CustomerLogo names: the name itself when it
// is a file, else the same name inside the application folder (AppPath);
// empty when neither is a file.
QString customerLogoFile(const QString& configuredName);

// The customer's logo scaled to fit `size`, or, when no picture can be loaded
// (no file, a folder, a file that is not a picture), a neutral placeholder of
// that size that says so.
QPixmap customerLogoPicture(const QString& configuredName, QSize size);

} // namespace XQTestDev
