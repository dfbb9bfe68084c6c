#include "instruments/Identification.h"

#include <QStringList>

namespace XQTestDev {

namespace {

const QString Comma = QStringLiteral(",");
const QString FirmwareMark = QStringLiteral(",x.xx");

// The reply up to and including the first delimiter; empty without one.
QString upToDelimiter(const QString& reply, const QString& delimiter) {
    const qsizetype at =
        delimiter.isEmpty() ? -1 : reply.indexOf(delimiter, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : reply.left(at + delimiter.size());
}

} // namespace

Identification parseIdentification(const QString& reply, const QString& delimiter,
                                   QString brandName, QString modelName) {
    const QStringList fields = reply.split(Comma);
    const QString prefix = upToDelimiter(reply, delimiter);
    Identification found;
    if (!brandName.isEmpty()) {
        brandName += Comma;
        found.foundText = brandName + prefix + FirmwareMark;
    } else {
        found.foundText = prefix + FirmwareMark;
        brandName = fields.first();
    }
    if (fields.size() >= 3)
        modelName = fields.at(1);
    if (brandName.isEmpty() && modelName.isEmpty()) {
        const QStringList parts = found.foundText.split(Comma);
        if (parts.size() >= 2) {
            brandName = parts.at(0) + QLatin1Char(' ') + parts.at(1);
        } else {
            found.unknown = true;
            brandName = QStringLiteral("DEVICE UNKNOWN") + QLatin1Char(' ');
        }
    }
    found.brandName = brandName;
    found.modelName = modelName;
    return found;
}

} // namespace XQTestDev
