#include "run/StoredRunRecord.h"

#include "config/ResultsFileCodec.h"
#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "run/RunModel.h"
#include "run/RunRecordBuilder.h"
#include "run/RunRecordLines.h"
#include "run/RunSession.h"

#include <XQTestDev/XQUtility32.h>

namespace XQTestDev {

namespace {

QDateTime timeOf(const QString& stored) {
    return readResultsTime(stored).value_or(QDateTime());
}

void readRunKeys(RunRecord& r) {
    const StoredRunHeader stored = readStoredRunHeader(r.product);
    static_cast<RunIdentity&>(r) = stored.identity;
    r.stored = {stored.verdict, stored.start, stored.finish};
    r.verdict = unitVerdictOf(stored.verdict);
    r.start = timeOf(stored.start);
    r.finish = timeOf(stored.finish);
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

// The run an output asked for: the record of the run that ended last, else
// the run in memory when the results file lost track of it, else what the
// results file holds (a run the station program never stopped, or another
// product's).
RunRecord recordForOutputs(const QString& product) {
    const RunModel& model = runModel();
    const QString wanted = product.isEmpty() ? model.run.product : product;
    const std::optional<RunRecord>& finished = finishedRunRecord();
    if (finished && finished->product == wanted)
        return *finished;
    if (!wanted.isEmpty() && wanted == model.run.product && model.standing.resultsFileFailed)
        return recordOfRunNow(model);
    return storedRunRecord(model, product);
}

// The outputs ask for the stored run through the frame.
const bool StoredRunRegistered = (setStoredRunSource(recordForOutputs), true);

} // namespace

RunRecord storedRunRecord(const RunModel& model, const QString& product) {
    RunRecord r;
    r.product = product.isEmpty() ? model.run.product : product;
    r.softwareVersion = model.softwareVersion;
    if (r.product.isEmpty())
        return r;
    readRunKeys(r);
    readStationKeys(r);
    RecordLines lines = readRecordLines(model, r.product, recordedInResultsFile(r.product), {});
    r.lines = std::move(lines.lines);
    r.untested = lines.untested;
    r.complete = lines.complete;
    return r;
}

} // namespace XQTestDev
