#include "run/NumberFit.h"

#include <QLocale>

#include <cmath>

namespace XQTestDev {

namespace {

constexpr int MostSignificantDigits = 15;
constexpr int FewestSignificantDigits = 2;

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

QString fixedToFit(double value, const std::function<bool(const QString&)>& fits) {
    if (!std::isfinite(value))
        return {};
    for (int decimals = exactDecimals(value); decimals >= 0; --decimals) {
        const QString text = QString::number(value, 'f', decimals);
        if (significantDigitsOf(text) < FewestSignificantDigits)
            return {};
        if (fits(text))
            return text;
    }
    return {};
}

} // namespace

QString roundedNumberToFit(double value, const std::function<bool(const QString&)>& fits) {
    if (const QString fixed = fixedToFit(value, fits); !fixed.isEmpty())
        return fixed;
    QString text;
    for (int digits = MostSignificantDigits; digits >= 1; --digits) {
        text = QString::number(value, 'g', digits);
        if (fits(text))
            return text;
    }
    return text;
}

} // namespace XQTestDev
