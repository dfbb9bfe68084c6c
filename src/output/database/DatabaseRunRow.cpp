#include "output/database/DatabaseRunRow.h"

#include "config/ResultsFileCodec.h"
#include "frame/MessageBox.h"
#include "output/database/DatabaseMessages.h"
#include "output/database/RunInputs.h"

namespace XQTestDev {

namespace {

constexpr int CompleteTestLineFields = 7;

QStringList headerValues(const RunInputs& in) {
    return {in.model,      in.revision,        in.testId,        in.serialNumber,
            in.workOrder,  in.ateId,           in.startTime,     in.endTime,
            in.operatorId, in.softwareVersion, in.localPN,       in.localAssyPN,
            in.customerPN, in.verdict,         in.ateIniVersion, in.productIniVersion,
            in.remarks[0], in.remarks[1],      in.remarks[2],    in.remarks[3]};
}

bool isEndTag(const QString& field0) {
    return field0.toUpper() == QLatin1String("<EOT>");
}

// The value of result line `number`, or the message and an empty value when
// the line is not "<result>|<verdict>".
QString resultValue(const RunInputs& in, int number) {
    const QString recorded = in.resultLines.value(number - 1);
    const std::optional<ResultLineFields> fields = splitResultLine(recorded);
    if (!fields) {
        showExclamation(DatabaseMessages::resultLineIncomplete(number));
        return {};
    }
    return testValueText(fields->result);
}

} // namespace

QString testValueText(const QString& recorded) {
    QString value = recorded;
    if (value.contains(QLatin1String("--")))
        value = QStringLiteral("999.999");
    const QString word = value.trimmed().toUpper();
    if (word == QLatin1String("PASS") || word == QLatin1String("YES") ||
        word == QLatin1String("TRUE") || word == QLatin1String("ON"))
        return QStringLiteral("-1");
    if (word == QLatin1String("FAIL") || word == QLatin1String("NO") ||
        word == QLatin1String("FALSE") || word == QLatin1String("OFF"))
        return QStringLiteral("0");
    return value.trimmed();
}

DatabaseRunRow buildRunRow(const RunInputs& in) {
    DatabaseRunRow run;
    run.row.table = in.tableName;
    run.row.columns = headerColumns();
    run.row.values = headerValues(in);
    for (int number = 1;; ++number) {
        if (number > in.specLines.size()) {
            // An empty line has no field 0: the list ended without its end tag.
            run.complete = false;
            return run;
        }
        const QStringList fields = in.specLines[number - 1].split(QLatin1Char(','));
        if (isEndTag(fields[0]))
            return run;
        if (fields.size() < CompleteTestLineFields)
            showExclamation(DatabaseMessages::specLineIncomplete(number));
        run.row.columns << fields[0].trimmed();
        run.row.values << resultValue(in, number);
    }
}

} // namespace XQTestDev
