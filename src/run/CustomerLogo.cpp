#include "run/CustomerLogo.h"

#include "frame/LibraryState.h"
#include "ui/Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace XQTestDev {

namespace {

bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Station files are often written on Windows with backslashes.
QString withForwardSlashes(const QString& name) {
    return QDir::fromNativeSeparators(QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

// A full path names its own folder; only its file name can be looked for in
// the application folder. Drive-letter paths count wherever the station runs.
bool isFullPath(const QString& name) {
    const bool driveLetter =
        name.size() > 2 && name.at(0).isLetter() && name.at(1) == QLatin1Char(':');
    return driveLetter || QFileInfo(name).isAbsolute();
}

QPixmap placeholder(QSize size) {
    QPixmap picture = sharpCanvas(size);
    picture.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&picture);
    const QRect place(QPoint(0, 0), size);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawRect(place.adjusted(0, 0, -1, -1));
    painter.drawText(place, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("No customer logo"));
    return picture;
}

} // namespace

QString customerLogoFile(const QString& configuredName) {
    const QString name = withForwardSlashes(configuredName.trimmed());
    if (name.isEmpty())
        return {};
    if (isFile(name))
        return name;
    const QString inAppFolder =
        library().applicationDirectory + (isFullPath(name) ? QFileInfo(name).fileName() : name);
    return isFile(inAppFolder) ? inAppFolder : QString();
}

QPixmap customerLogoPicture(const QString& configuredName, QSize size) {
    if (size.isEmpty())
        return {};
    const QString file = customerLogoFile(configuredName);
    if (!file.isEmpty()) {
        QImageReader reader(file);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (!image.isNull())
            return sharpFitted(QPixmap::fromImage(image), size);
    }
    return placeholder(size);
}

} // namespace XQTestDev
