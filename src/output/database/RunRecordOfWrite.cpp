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

#include <algorithm>

namespace XQTestDev {

namespace {

bool isRunOfResultsFile(const RunRecord& record, const RunRecord& stored) {
    return record.product == stored.product && record.serialNumber == stored.serialNumber &&
           stored.start.isValid() &&
           record.start.toSecsSinceEpoch() == stored.start.toSecsSinceEpoch();
}

// The stored run as the run tables take it: its lines in number order up to
// the product's end tag, under the software version of the write.
RunRecord recordOfResultsFile(const RunRecord& stored, const RunInputs& in) {
    RunRecord r = stored;
    r.station = in.ateId;
    r.softwareVersion = in.softwareVersion;
    std::sort(r.lines.begin(), r.lines.end(), [](const RunRecordLine& a, const RunRecordLine& b) {
        return a.key.toInt() < b.key.toInt();
    });
    return r;
}

} // namespace

RunOfWrite runRecordOfWrite(const RunRecord& stored, const RunInputs& in) {
    const std::optional<FinishedRun>& last = lastFinishedRun();
    if (last && isRunOfResultsFile(last->record, stored))
        return {last->record, last->recordFile};
    return {recordOfResultsFile(stored, in), QString()};
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
