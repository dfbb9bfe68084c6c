#include "output/database/RunRecordOfWrite.h"

#include "config/ResultsFileCodec.h"
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

RunOfWrite runRecordOfWrite(const RunRecord& stored, const RunInputs& in) {
    RunRecord r = stored;
    if (r.station.isEmpty())
        r.station = in.ateId;
    if (!in.softwareVersion.isEmpty())
        r.softwareVersion = in.softwareVersion;
    const auto byKey = [](const RunRecordLine& a, const RunRecordLine& b) {
        return a.key.toInt() < b.key.toInt();
    };
    // Read from the results file, the lines come in order already.
    if (!std::is_sorted(r.lines.begin(), r.lines.end(), byKey))
        std::stable_sort(r.lines.begin(), r.lines.end(), byKey);
    QString recordFile = stored.ended ? runRecordFileOf(stored) : QString();
    return {std::move(r), std::move(recordFile)};
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
