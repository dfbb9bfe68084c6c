#include "instruments/ScanEntry.h"

#include "instruments/GpibCalls.h"

#include <algorithm>

namespace XQTestDev {

namespace {

bool isLineBreak(QChar character) {
    return character == QLatin1Char('\r') || character == QLatin1Char('\n') ||
           character == QLatin1Char('\f');
}

} // namespace

QString scanEntry(const QByteArray& buffer, long count, int address) {
    const long received = std::clamp(count, 0L, static_cast<long>(buffer.size()));
    if (received <= 1)
        return QStringLiteral("DEVICE UNKNOWN");
    QString text = withoutOuterBlanks(fromDriverText(buffer.left(received - 1)));
    if (text.size() <= 1)
        return QStringLiteral("DEVICE UNKNOWN");
    if (isLineBreak(text.back()))
        text.chop(1);
    return text + QStringLiteral(",ADDRESS ") + QString::number(address);
}

} // namespace XQTestDev
