#include "frame/NumberText.h"

#include <QByteArray>

#include <locale.h>
#include <stdlib.h>

namespace XQTestDev {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

struct NumberSpan {
    qsizetype begin = 0; // first character of the number (its sign)
    qsizetype end = 0;   // one past the last character; begin == end: no number
};

qsizetype digitsFrom(QStringView text, qsizetype at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

// The number that starts the text after leading blanks.
NumberSpan leadingNumberSpan(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    const qsizetype begin = at;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
        ++at;
    const qsizetype intEnd = digitsFrom(text, at);
    qsizetype end = intEnd;
    bool anyDigit = intEnd > at;
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        const qsizetype fractionEnd = digitsFrom(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return {begin, begin};
    if (end < text.size() && (text[end] == QLatin1Char('e') || text[end] == QLatin1Char('E'))) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() &&
            (text[exponent] == QLatin1Char('+') || text[exponent] == QLatin1Char('-')))
            ++exponent;
        const qsizetype exponentEnd = digitsFrom(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return {begin, end};
}

} // namespace

bool isNumericText(QStringView text) {
    const NumberSpan span = leadingNumberSpan(text);
    if (span.begin == span.end)
        return false;
    for (qsizetype at = span.end; at < text.size(); ++at) {
        if (!isBlank(text[at]))
            return false;
    }
    return true;
}

double leadingNumber(QStringView text) {
    const NumberSpan span = leadingNumberSpan(text);
    if (span.begin == span.end)
        return 0.0;
    // Always "." as the decimal point, whatever the process's locale; a value
    // out of range reads as an infinity (overflow) or as 0 (underflow).
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const QByteArray ascii = text.sliced(span.begin, span.end - span.begin).toLatin1();
    return strtod_l(ascii.constData(), nullptr, cLocale);
}

} // namespace XQTestDev
