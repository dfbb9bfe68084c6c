#include "ui/Pictures.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace XQTestDev {

QString libraryPicturePath(const QString& name) {
    return QStringLiteral(":/pictures/") + name;
}

QPixmap libraryPicture(const QString& name) {
    if (name.isEmpty())
        return {};
    // A screen that scales gets the picture painted at twice the pixels.
    if (screenPixelRatio() > 1) {
        QPixmap sharp(libraryPicturePath(name) + QStringLiteral("@2x"), "PNG");
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(libraryPicturePath(name), "PNG");
}

qreal screenPixelRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? std::max<qreal>(1, screen->devicePixelRatio()) : 1;
}

QPixmap sharpCanvas(QSize logical) {
    const qreal ratio = screenPixelRatio();
    QPixmap canvas(logical * ratio);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    return canvas;
}

QPixmap sharpFitted(const QPixmap& source, QSize logical) {
    if (source.isNull() || logical.isEmpty())
        return source;
    const qreal ratio = screenPixelRatio();
    QPixmap fitted = source.scaled(logical * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

} // namespace XQTestDev
