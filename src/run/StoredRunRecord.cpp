#include "run/StoredRunRecord.h"

#include "config/ResultsFileLayout.h"
#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "run/RunModel.h"
#include "run/RunRecordLines.h"
#include "run/RunSession.h"

#include <XQTestDev/XQUtility32.h>

namespace XQTestDev {

namespace {

QString normalVerdict(const QString& stored) {
    const QString verdict = stored.trimmed().toUpper();
    return verdict == QLatin1String("PASS") || verdict == QLatin1String("FAIL") ? verdict
                                                                                : QString();
}

QDateTime timeOf(const QString& stored) {
    return readResultsTime(stored).value_or(QDateTime());
}

void readRunKeys(RunRecord& r) {
    const QString section = resultsSection(r.product);
    const auto value = [&section](const QString& key) {
        return readStationValue(StationFile::Results, section, key);
    };
    r.operatorId = value(QStringLiteral("OperatorID"));
    r.model = value(QStringLiteral("Model"));
    r.revision = value(QStringLiteral("Revision"));
    r.serialNumber = value(QStringLiteral("SerialNumber"));
    r.workOrder = value(QStringLiteral("WorkOrderNumber"));
    r.testId = value(QStringLiteral("TestID"));
    for (size_t i = 0; i < r.remarks.size(); ++i)
        r.remarks[i] = value(QStringLiteral("Remark%1").arg(i + 1));
    r.stored.verdict = value(QStringLiteral("OverAllPassFail"));
    r.stored.start = value(QStringLiteral("StartTestTime"));
    r.stored.finish = value(QStringLiteral("EndTestTime"));
    r.verdict = normalVerdict(r.stored.verdict);
    r.start = timeOf(r.stored.start);
    r.finish = timeOf(r.stored.finish);
}

void readStationKeys(RunRecord& r) {
    r.station = readStationValue(StationFile::Ate, QStringLiteral("ATE Configuration"),
                                 QStringLiteral("ID"));
    r.ateIni.version =
        readStationValue(StationFile::Ate, QStringLiteral("History"), QStringLiteral("Version"));
    r.productsIni.version =
        readStationValue(StationFile::Products, r.product, QStringLiteral("Version"));
    r.libraryVersion = libraryVersion();
}

// The outputs ask for the stored run through the frame.
const bool StoredRunRegistered = (setStoredRunSource([](const QString& product) {
                                      return storedRunRecord(runModel(), product);
                                  }),
                                  true);

} // namespace

RunRecord storedRunRecord(const RunModel& model, const QString& product) {
    RunRecord r;
    r.product = product.isEmpty() ? model.run.product : product;
    r.softwareVersion = model.softwareVersion;
    if (r.product.isEmpty())
        return r;
    readRunKeys(r);
    readStationKeys(r);
    RecordLines lines = readRecordLines(model, r.product, {});
    r.lines = std::move(lines.lines);
    r.untested = lines.untested;
    r.complete = lines.complete;
    return r;
}

} // namespace XQTestDev
