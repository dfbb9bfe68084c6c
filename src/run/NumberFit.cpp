#include "run/NumberFit.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace XQTestDev {

namespace {

constexpr int MostSignificantDigits = 15;
constexpr int FewestSignificantDigits = 2;
constexpr int DigitsOfADouble = 17;
const QChar Ellipsis(0x2026);

int significantDigitsOf(const QString& fixed) {
    int digits = 0;
    bool leading = true;
    for (QChar c : fixed) {
        if (!c.isDigit())
            continue;
        leading = leading && c == QLatin1Char('0');
        digits += leading ? 0 : 1;
    }
    return digits;
}

// The decimals that show `value` exactly in fixed notation.
int exactDecimals(double value) {
    const QString shortest = QString::number(value, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : static_cast<int>(shortest.size() - point - 1);
}

QString fixedToFit(double value, const std::function<bool(const QString&)>& fits,
                   int fewestDigits) {
    if (!std::isfinite(value))
        return {};
    for (int decimals = exactDecimals(value); decimals >= 0; --decimals) {
        const QString text = QString::number(value, 'f', decimals);
        if (significantDigitsOf(text) < std::max(FewestSignificantDigits, fewestDigits))
            return {};
        if (fits(text))
            return text;
    }
    return {};
}

} // namespace

QString roundedNumberToFit(double value, const std::function<bool(const QString&)>& fits,
                           int fewestDigits) {
    fewestDigits = std::clamp(fewestDigits, 1, DigitsOfADouble);
    if (const QString fixed = fixedToFit(value, fits, fewestDigits); !fixed.isEmpty())
        return fixed;
    QString text;
    for (int digits = std::max(MostSignificantDigits, fewestDigits); digits >= fewestDigits;
         --digits) {
        text = QString::number(value, 'g', digits);
        if (fits(text))
            return text;
    }
    if (fewestDigits == 1)
        return text;
    for (int digits = fewestDigits - 1; digits >= 1; --digits) {
        text = QString::number(value, 'g', digits) + Ellipsis;
        if (fits(text))
            return text;
    }
    return text;
}

int digitsToTellApart(double value, const QList<double>& others) {
    for (int digits = 1; digits < DigitsOfADouble; ++digits) {
        const QString shown = QString::number(value, 'g', digits);
        const bool apart = std::none_of(others.begin(), others.end(), [&](double other) {
            return other != value && QString::number(other, 'g', digits) == shown;
        });
        if (apart)
            return digits;
    }
    return DigitsOfADouble;
}

} // namespace XQTestDev
