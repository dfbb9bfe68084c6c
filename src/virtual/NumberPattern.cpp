#include "virtual/NumberPattern.h"

#include "ui/CabinetSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace XQTestDev {

namespace {

constexpr int SignificantDigits = 15;

// The value's decimal digits without sign or point, and where the point
// goes: digits "123456", pointAt 3 is 123.456. pointAt may be negative
// (0.00123) or beyond the digits (1.2e20).
struct DecimalDigits {
    std::string digits;
    int pointAt = 0;
};

DecimalDigits significantDigits(double magnitude) {
    if (magnitude == 0.0)
        return {"0", 1};
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", SignificantDigits - 1, magnitude);
    const std::string scientific(text);
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    const int exponent = std::stoi(scientific.substr(e + 1));
    return {digits, exponent + 1};
}

// Rounds half away from zero so that `decimals` digits stay after the point.
DecimalDigits roundToDecimals(DecimalDigits number, int decimals) {
    const long keep = static_cast<long>(number.pointAt) + decimals;
    if (keep < 0)
        return {"0", 1};
    if (keep >= static_cast<long>(number.digits.size()))
        return number;
    const bool up = number.digits[static_cast<std::size_t>(keep)] >= '5';
    number.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int position = static_cast<int>(keep) - 1;
        while (position >= 0 && number.digits[static_cast<std::size_t>(position)] == '9') {
            number.digits[static_cast<std::size_t>(position)] = '0';
            --position;
        }
        if (position >= 0) {
            ++number.digits[static_cast<std::size_t>(position)];
        } else {
            number.digits.insert(number.digits.begin(), '1');
            ++number.pointAt;
        }
    }
    if (number.digits.empty())
        return {"0", 1};
    return number;
}

char digitAt(const DecimalDigits& number, long index) {
    if (index < 0 || index >= static_cast<long>(number.digits.size()))
        return '0';
    return number.digits[static_cast<std::size_t>(index)];
}

QString withThousands(const QString& whole) {
    QString grouped;
    const int length = static_cast<int>(whole.size());
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += whole[i];
    }
    return grouped;
}

} // namespace

std::optional<int> decimalsFrom(int decimalPoint) {
    if (decimalPoint < 0)
        return std::nullopt;
    return std::min(decimalPoint, MostDecimals);
}

std::optional<int> decimalsFrom(const QVariant& decimalPoint) {
    if (!decimalPoint.isValid() || decimalPoint.isNull())
        return 0;
    bool number = false;
    const double count = decimalPoint.toString().trimmed().toDouble(&number);
    if (!number || std::isnan(count) || count < 0)
        return std::nullopt;
    if (count > MostDecimals)
        return MostDecimals;
    return roundHalfEven(count);
}

QString formatWithPattern(double value, std::optional<int> decimals) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    const int places = decimals.value_or(0);
    const DecimalDigits number = roundToDecimals(significantDigits(std::fabs(value)), places);

    QString whole;
    for (long i = 0; i < number.pointAt; ++i)
        whole += QLatin1Char(digitAt(number, i));
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    QString fraction;
    for (int i = 0; i < places; ++i)
        fraction += QLatin1Char(digitAt(number, number.pointAt + i));

    const bool allZero = number.digits.find_first_not_of('0') == std::string::npos;
    QString text = (value < 0 && !allZero) ? QStringLiteral("-") : QString();
    text += withThousands(whole);
    if (decimals != 0)
        text += QLatin1Char('.') + fraction;
    return text;
}

} // namespace XQTestDev
