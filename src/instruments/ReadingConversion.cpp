#include "instruments/ReadingConversion.h"

#include "frame/NumberText.h"
#include "instruments/LineEnd.h"

#include <cmath>
#include <cstdint>

namespace XQTestDev {

namespace {

struct Prefix {
    const char* prefix;
    double multiplier;
};

// The first row that matches |value|; "OL" stands for any value beyond 10^12.
Prefix prefixFor(double magnitude) {
    if (magnitude >= 1e9)
        return {"G", 1e-9};
    if (magnitude >= 1e6)
        return {"M", 1e-6};
    if (magnitude >= 1e3)
        return {"K", 1e-3};
    if (magnitude <= 1e-6)
        return {"u", 1e6};
    if (magnitude <= 1e-3)
        return {"m", 1e3};
    return {"", 1.0};
}

// A CR or LF that ends the field belongs to the line end, not to the reading.
QString firstField(const QString& reply, const QString& delimiter) {
    if (delimiter.isEmpty())
        return withoutLineEnd(reply);
    const qsizetype at = reply.indexOf(delimiter, 0, Qt::CaseInsensitive);
    return withoutLineEnd(at < 0 ? reply : reply.left(at));
}

QString groupedDigits(std::int64_t whole) {
    QString digits = QString::number(whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

} // namespace

QString formatReadingNumber(double number) {
    const std::int64_t thousandths = std::llround(std::fabs(number) * 1000.0);
    QString decimals = QStringLiteral("%1").arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
    while (decimals.size() > 1 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    const QString sign = (number < 0 && thousandths != 0) ? QStringLiteral("-") : QString();
    return sign + groupedDigits(thousandths / 1000) + QLatin1Char('.') + decimals;
}

ConvertedReading convertReply(const QString& reply, const ConversionSettings& settings) {
    ConvertedReading reading;
    if (reply.isEmpty()) {
        reading.valueText = QStringLiteral("----");
        reading.unitText = QStringLiteral("----");
        return reading;
    }
    const QString field = firstField(reply, settings.delimiter);
    const double value = leadingNumber(field) * settings.scaleFactor + settings.offset;
    // An overflowing reply ("1e400") is no reading either.
    if (!isNumericText(field) || !std::isfinite(value)) {
        reading.valueText = QStringLiteral("Error");
        reading.unitText = QStringLiteral("----");
        return reading;
    }
    reading.isNumber = true;
    reading.value = value;
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e12) {
        reading.valueText = QStringLiteral("OL");
        reading.unitText = QStringLiteral("-") + settings.unit;
        return reading;
    }
    const Prefix prefix = prefixFor(magnitude);
    reading.valueText = formatReadingNumber(value * prefix.multiplier);
    reading.unitText = QLatin1String(prefix.prefix) + settings.unit;
    return reading;
}

} // namespace XQTestDev
