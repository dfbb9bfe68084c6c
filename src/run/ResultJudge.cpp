#include "run/ResultJudge.h"

#include "config/IniDocument.h"
#include "frame/NumberText.h"

#include <QDateTime>
#include <QLocale>

#include <charconv>
#include <cmath>

namespace XQTestDev {

namespace {

bool isNumberType(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isTextType(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray ||
           value.typeId() == QMetaType::QChar;
}

// The number the result is shown and recorded as, so that a float such as 0.3f
// is judged as 0.3, the value the operator sees. A number that has no such
// text (infinity, not a number) keeps its own value.
double numericValue(const QVariant& TestResult) {
    if (isNumberType(TestResult) && !std::isfinite(TestResult.toDouble()))
        return TestResult.toDouble();
    return leadingNumber(resultText(TestResult));
}

bool failsLimits(double value, const QString& minimum, const QString& maximum) {
    if (std::isnan(value))
        return true; // a measurement that is no number never passes
    if (isNumericText(maximum) && value > leadingNumber(maximum))
        return true;
    if (isNumericText(minimum) && value < leadingNumber(minimum))
        return true;
    return false;
}

// A float is written with the digits of a float, so 0.1f reads "0.1".
QString shortestText(float value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        return QString::number(static_cast<double>(value), 'g', QLocale::FloatingPointShortest);
    return QString::fromLatin1(buffer, end - buffer);
}

bool hasNumericLimit(const QString& minimum, const QString& maximum) {
    return isNumericText(minimum) || isNumericText(maximum);
}

Judgement judgeWord(const QString& word, bool numericLimits) {
    static const QStringList passWords{QStringLiteral("PASS"), QStringLiteral("YES"),
                                       QStringLiteral("TRUE"), QStringLiteral("ON")};
    static const QStringList failWords{QStringLiteral("FAIL"), QStringLiteral("NO"),
                                       QStringLiteral("FALSE"), QStringLiteral("OFF")};
    // Nothing measured is no verdict at all.
    if (word.isEmpty())
        return {Verdict::Untested, {}};
    if (word == QLatin1String("TESTING"))
        return {Verdict::Testing, {}};
    if (failWords.contains(word))
        return {Verdict::Fail, word};
    if (passWords.contains(word))
        return {Verdict::Pass, word};
    // Where a number was expected, "12V", "OVERLOAD" or "nan" is no pass; on a
    // line without numeric limits any other word counts as pass.
    return {numericLimits ? Verdict::Fail : Verdict::Pass, word};
}

} // namespace

QString resultText(const QVariant& TestResult) {
    if (TestResult.typeId() == QMetaType::Double)
        return QString::number(TestResult.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (TestResult.typeId() == QMetaType::Float)
        return shortestText(TestResult.toFloat());
    if (TestResult.typeId() == QMetaType::Bool)
        return TestResult.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (TestResult.typeId() == QMetaType::QDateTime)
        return QLocale::c().toString(TestResult.toDateTime(),
                                     QStringLiteral("MM/dd/yyyy hh:mm:ss ap"));
    if (TestResult.typeId() == QMetaType::QDate)
        return QLocale::c().toString(TestResult.toDate(), QStringLiteral("MM/dd/yyyy"));
    if (TestResult.typeId() == QMetaType::QTime)
        return QLocale::c().toString(TestResult.toTime(), QStringLiteral("hh:mm:ss ap"));
    return TestResult.toString();
}

bool isNumericResult(const QVariant& TestResult) {
    if (isNumberType(TestResult))
        return true;
    return isTextType(TestResult) && isNumericText(resultText(TestResult));
}

Judgement judgeResult(const QVariant& TestResult, const QString& minimum, const QString& maximum) {
    const QString text = resultText(TestResult);
    if (isNumericResult(TestResult)) {
        const bool fail = failsLimits(numericValue(TestResult), minimum, maximum);
        return {fail ? Verdict::Fail : Verdict::Pass, text.trimmed()};
    }
    return judgeWord(text.trimmed().toUpper(), hasNumericLimit(minimum, maximum));
}

} // namespace XQTestDev
