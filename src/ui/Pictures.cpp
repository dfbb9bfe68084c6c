#include "ui/Pictures.h"

namespace XQTestDev {

QString libraryPicturePath(const QString& name) {
    return QStringLiteral(":/pictures/") + name;
}

QPixmap libraryPicture(const QString& name) {
    if (name.isEmpty())
        return {};
    return QPixmap(libraryPicturePath(name), "PNG");
}

} // namespace XQTestDev
