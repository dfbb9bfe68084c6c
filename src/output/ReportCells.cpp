#include "output/ReportCells.h"

#include "config/ResultsFileCodec.h"
#include "config/TestLine.h"
#include "frame/NumberText.h"
#include "output/ReportFormat.h"

#include <cmath>

namespace XQTestDev {

namespace {

const QString Unknown = QStringLiteral("????");

// Words a station records for a check without a measured value.
bool isRecordedWord(const QString& result) {
    static const QStringList words = {QStringLiteral("PASS"),  QStringLiteral("YES"),
                                      QStringLiteral("TRUE"),  QStringLiteral("ON"),
                                      QStringLiteral("FAIL"),  QStringLiteral("NO"),
                                      QStringLiteral("FALSE"), QStringLiteral("OFF")};
    return words.contains(result.toUpper());
}

// Whole numbers without decimals; up to 9,999 with up to three decimals, so
// that small readings keep their resolution; larger with two, to fit the column.
QString measuredValue(double value) {
    if (value == std::trunc(value))
        return formatNumber(value, NumberPattern::NoDecimals);
    if (std::trunc(std::fabs(value)) <= 9999)
        return formatNumber(value, NumberPattern::UpToThreeDecimals);
    return formatNumber(value, NumberPattern::UpToTwoDecimals);
}

} // namespace

QString limitCell(const QString& field) {
    const QString limit = field.trimmed();
    if (limit.isEmpty())
        return QStringLiteral("----");
    if (!isNumericText(limit))
        return limit;
    const QString written = formatNumber(leadingNumber(limit), NumberPattern::UpToThreeDecimals);
    return written.isEmpty() ? limit : written;
}

ResultCells resultCells(const QString& recorded) {
    const std::optional<ResultLineFields> fields = splitResultLine(recorded);
    if (!fields)
        return {Unknown, Unknown};
    ResultCells cells;
    const QString result = fields->result.trimmed();
    if (result.isEmpty()) {
        cells.result = Unknown;
    } else if (isNumericText(result) && std::isfinite(leadingNumber(result))) {
        cells.result = measuredValue(leadingNumber(result));
    } else {
        cells.result = isRecordedWord(result) ? result : Unknown;
    }
    const QString verdict = fields->verdict.trimmed();
    cells.verdict = verdict.isEmpty() ? Unknown : verdict;
    return cells;
}

QString descriptionCell(const QString& field, bool* wasCut) {
    const QString description = field.trimmed();
    *wasCut = description.size() > LongestDescription;
    return description.left(LongestDescription);
}

TestLineCells testLineCells(const TestLine& line, const QString& recorded, bool* descriptionCut) {
    const ResultCells result = resultCells(recorded);
    return {descriptionCell(line.parameterName, descriptionCut),
            limitCell(line.minSpec),
            limitCell(line.maxSpec),
            result.result,
            line.unit.trimmed(),
            result.verdict};
}

} // namespace XQTestDev
