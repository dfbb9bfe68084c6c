#include "output/ReportFormat.h"

#include <QLocale>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace XQTestDev {

namespace {

struct Decimals {
    int fewest;
    int most;
};

Decimals decimalsOf(NumberPattern pattern) {
    switch (pattern) {
    case NumberPattern::NoDecimals:
        return {0, 0};
    case NumberPattern::UpToThreeDecimals:
        return {1, 3};
    case NumberPattern::UpToTwoDecimals:
        return {1, 2};
    }
    return {0, 0};
}

// The magnitude's shortest decimal form that reads back as the same double,
// in positional notation ("100000000000000000000" for 1e20).
std::string shortestDigits(double magnitude) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// Adds one to the decimal number held in `digits` (digits only), in place.
void addOneUlp(std::string& digits) {
    for (auto at = digits.rbegin(); at != digits.rend(); ++at) {
        if (*at != '9') {
            ++*at;
            return;
        }
        *at = '0';
    }
    digits.insert(digits.begin(), '1');
}

QString withThousands(const std::string& whole) {
    QString out;
    const int count = static_cast<int>(whole.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            out += QLatin1Char(',');
        out += QLatin1Char(whole[static_cast<size_t>(i)]);
    }
    return out;
}

} // namespace

QString formatNumber(double value, NumberPattern pattern) {
    if (!std::isfinite(value))
        return {};
    const Decimals decimals = decimalsOf(pattern);
    const std::string text = shortestDigits(std::fabs(value));
    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);

    if (static_cast<int>(fraction.size()) > decimals.most) {
        const bool roundUp = fraction[static_cast<size_t>(decimals.most)] >= '5';
        fraction.resize(static_cast<size_t>(decimals.most));
        if (roundUp) {
            std::string all = whole + fraction;
            addOneUlp(all);
            whole = all.substr(0, all.size() - fraction.size());
            fraction = all.substr(all.size() - fraction.size());
        }
    }
    while (static_cast<int>(fraction.size()) > decimals.fewest && fraction.back() == '0')
        fraction.pop_back();
    while (static_cast<int>(fraction.size()) < decimals.fewest)
        fraction.push_back('0');

    QString out = withThousands(whole);
    if (!fraction.empty())
        out += QLatin1Char('.') + QString::fromStdString(fraction);
    if (value < 0)
        out.prepend(QLatin1Char('-'));
    return out;
}

QString reportDate(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("MM/dd/yyyy"));
}

QString reportClock(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("hh:mm:ss AP"));
}

QString reportDuration(const QDateTime& start, const QDateTime& end) {
    constexpr qint64 SecondsPerDay = 24 * 60 * 60;
    const qint64 seconds = std::llabs(start.secsTo(end)) % SecondsPerDay;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace XQTestDev
