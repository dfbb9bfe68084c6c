#include "output/ReportLayout.h"

#include <cmath>

namespace XQTestDev {

namespace {

QString dashes(int count) {
    return QString(count, QLatin1Char('-'));
}

QString padded(const QString& text, qsizetype width) {
    return text.leftJustified(width, QLatin1Char(' '), false);
}

} // namespace

std::optional<int> centringBlanks(qsizetype length) {
    // nearbyint rounds half to even in the default rounding mode.
    const double blanks = std::nearbyint(40.0 - static_cast<double>(length) / 2.0);
    if (blanks < 0)
        return std::nullopt;
    return static_cast<int>(blanks);
}

std::optional<QString> centred(const QString& text) {
    const std::optional<int> blanks = centringBlanks(text.size());
    if (!blanks)
        return std::nullopt;
    return QString(*blanks, QLatin1Char(' ')) + text;
}

QString clipped(const QString& text, int width) {
    if (text.size() <= width)
        return text;
    return text.left(width - 1) + QLatin1Char('~');
}

QString centredHeading(const QString& text) {
    return centred(clipped(text, LongestCentredText)).value_or(QString());
}

QString titleText(const QString& customer, const QString& product, const QString& testId) {
    QString title = customer + QLatin1Char(' ') + product + QStringLiteral(" Test Report");
    if (testId != QLatin1String("Production"))
        title += QStringLiteral(" (") + testId + QLatin1Char(')');
    return title;
}

QString verdictText(const QString& verdict) {
    return QStringLiteral("***") + verdict + QStringLiteral("***");
}

QString indented(const QString& text) {
    return QString(ReportIndent, QLatin1Char(' ')) + text;
}

QString informationLine(const QString& leftLabel, const QString& leftValue,
                        const QString& rightLabel, const QString& rightValue) {
    const QString left = clipped(leftLabel + leftValue, InformationLeftWidth);
    return indented(padded(left, InformationLeftWidth) + rightLabel + rightValue);
}

QString remarkLabel(const QString& caption) {
    return padded(caption.left(RemarkLabelLength), LabelWidth);
}

QString columnHeading() {
    return indented(QStringLiteral("Test Description                         Min Spec   Max Spec  "
                                   " Results   Units   Pass/Fail"));
}

QString ruleLine() {
    return indented(dashes(90));
}

QString groupHeading(const QString& group) {
    return indented(QLatin1Char('[') + group + QLatin1Char(']'));
}

QString continuationHeading(const QString& group) {
    return indented(QLatin1Char('[') + group + QStringLiteral("] Continue"));
}

QString rightAligned(const QString& value, int width) {
    return clipped(value, width).rightJustified(width, QLatin1Char(' '));
}

QString testLine(const TestLineCells& cells) {
    return indented(padded(cells.description, 38) + rightAligned(cells.minimum, 11) +
                    rightAligned(cells.maximum, 11) + rightAligned(cells.result, 10) +
                    rightAligned(cells.unit, 8) + QStringLiteral("  ") +
                    rightAligned(cells.verdict, 9));
}

QString pageFooter(int page) {
    return indented(dashes(32) + QStringLiteral("Page ") + QString::number(page) +
                    QStringLiteral(" (See Continue Pages)") + dashes(31));
}

QString endLine(int pageCount) {
    if (pageCount <= 1)
        return indented(dashes(39) + QStringLiteral("End of Report") + dashes(38));
    return indented(dashes(29) + QStringLiteral("End of Report (Total Pages is ") +
                    QString::number(pageCount) + QLatin1Char(')') + dashes(29));
}

QString missingEndTagLine() {
    return indented(QStringLiteral(
        "********** Report error by can't reach to End Of Test <EOT> record **********"));
}

} // namespace XQTestDev
