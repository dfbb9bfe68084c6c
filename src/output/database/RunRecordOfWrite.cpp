#include "output/database/RunRecordOfWrite.h"

#include "config/ResultsFileLayout.h"
#include "frame/LibraryState.h"
#include "output/ReportFormat.h"
#include "output/RunRecordFile.h"
#include "output/RunRecordJson.h"
#include "output/database/RunInputs.h"

#include <XQTestDev/XQUtility32.h>

#include <QJsonDocument>
#include <QJsonObject>

namespace XQTestDev {

namespace {

QDateTime timeOf(const QString& resultsTime) {
    return readResultsTime(resultsTime).value_or(QDateTime());
}

bool isRunOfResultsFile(const RunRecord& record, const RunInputs& in) {
    const QDateTime start = timeOf(in.startTime);
    return record.product == in.product && record.serialNumber == in.serialNumber &&
           start.isValid() && record.start.toSecsSinceEpoch() == start.toSecsSinceEpoch();
}

RunRecordLine lineOf(int number, const QString& specLine, const QString& resultLine) {
    const QStringList fields = specLine.split(QLatin1Char(','));
    const auto field = [&fields](int i) {
        return i < fields.size() ? fields[i].trimmed() : QString();
    };
    RunRecordLine line;
    line.key = QString::number(number);
    line.fieldName = field(0);
    line.min = field(1);
    line.max = field(2);
    line.unit = field(4);
    line.group = field(5);
    line.parameter = field(6);
    const QStringList parts = resultLine.split(QLatin1Char('|'));
    if (parts.size() == 2 &&
        (parts[1] == QLatin1String("Pass") || parts[1] == QLatin1String("Fail"))) {
        line.value = parts[0];
        line.verdict = parts[1];
        bool isNumber = false;
        const double value = parts[0].trimmed().toDouble(&isNumber);
        if (isNumber)
            line.number = value;
    }
    return line;
}

RunRecord recordOfResultsFile(const RunInputs& in) {
    RunRecord r;
    r.station = in.ateId;
    r.operatorId = in.operatorId;
    r.product = in.product;
    r.model = in.model;
    r.revision = in.revision;
    r.serialNumber = in.serialNumber;
    r.workOrder = in.workOrder;
    r.testId = in.testId;
    r.remarks = in.remarks;
    r.start = timeOf(in.startTime);
    r.finish = timeOf(in.endTime);
    const QString verdict = in.verdict.trimmed().toUpper();
    r.verdict =
        verdict == QLatin1String("PASS") || verdict == QLatin1String("FAIL") ? verdict : QString();
    r.softwareVersion = in.softwareVersion;
    r.libraryVersion = sharedUtility().GetDLLVersion();
    r.ateIni.version = in.ateIniVersion;
    r.productsIni.version = in.productIniVersion;
    for (qsizetype i = 0; i < in.specLines.size(); ++i) {
        if (in.specLines[i].split(QLatin1Char(','))[0].trimmed().toUpper() ==
            QLatin1String("<EOT>"))
            break;
        r.lines.push_back(lineOf(static_cast<int>(i + 1), in.specLines[i],
                                 i < in.resultLines.size() ? in.resultLines[i] : QString()));
        if (r.lines.back().verdict.isEmpty())
            ++r.untested;
    }
    return r;
}

} // namespace

RunOfWrite runRecordOfWrite(const RunInputs& in) {
    const std::optional<FinishedRun>& last = lastFinishedRun();
    if (last && isRunOfResultsFile(last->record, in))
        return {last->record, last->recordFile};
    return {recordOfResultsFile(in), QString()};
}

QByteArray runOfWriteBytes(const RunOfWrite& run) {
    return QJsonDocument(QJsonObject{{QStringLiteral("recordFile"), run.recordFile},
                                     {QStringLiteral("record"), runRecordJson(run.record)}})
        .toJson(QJsonDocument::Compact);
}

bool readRunOfWrite(const QByteArray& bytes, RunOfWrite& run) {
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    const std::optional<RunRecord> record = runRecordFromBytes(
        QJsonDocument(object.value(QStringLiteral("record")).toObject()).toJson());
    if (!record)
        return false;
    run.record = *record;
    run.recordFile = object.value(QStringLiteral("recordFile")).toString();
    return true;
}

} // namespace XQTestDev
