#include "run/RunRecordBuilder.h"

#include "config/ProductDefinition.h"
#include "config/ResultsFileCodec.h"
#include "config/StationFiles.h"
#include "config/XQSecurity32.h"
#include "frame/Clock.h"
#include "frame/InstrumentLog.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "run/ResultsFile.h"
#include "run/RunRecordLines.h"
#include "run/RunSession.h"

#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QSet>

#include <optional>

namespace XQTestDev {

namespace {

struct OpenRun {
    RunRecordStart start;
    bool aborted = false;
};

std::optional<OpenRun>& openRun() {
    static std::optional<OpenRun> run;
    return run;
}

std::optional<RunRecord>& finishedRecord() {
    static std::optional<RunRecord> record;
    return record;
}

// The texts the results file holds for the run's keys, as the outputs that
// print or store them verbatim take them.
RunRecordStoredText storedTextOf(const RunRecord& r) {
    return {r.verdict == Verdict::Untested ? QString(ClearedVerdict) : unitVerdictText(r.verdict),
            r.start.isValid() ? resultsFileTime(r.start) : QString(),
            r.finish.isValid() ? resultsFileTime(r.finish) : QString()};
}

RunRecordConfigFile configFileNow(StationFile file, const QString& versionSection) {
    RunRecordConfigFile config;
    config.version = readStationValue(file, versionSection, QStringLiteral("Version"));
    QFile in(stationFilePath(file));
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    config.checksum = XQSecurity32().checksum(bytes);
    config.approved =
        readStationValue(file, QStringLiteral("History"), QStringLiteral("XQCheckSum")).trimmed() ==
        config.checksum;
    return config;
}

// The run's data without its lines; the software version is the one the
// header kept.
RunRecord runHeaderOf(const RunModel& model) {
    const RunData& run = model.run;
    RunRecord r;
    static_cast<RunIdentity&>(r) = run;
    r.station = readStationValue(StationFile::Ate, QStringLiteral("ATE Configuration"),
                                 QStringLiteral("ID"));
    r.start = run.startTime;
    r.softwareVersion = model.softwareVersion;
    return r;
}

} // namespace

RunRecord buildRunRecord(const RunModel& model, const RunRecordStart& start, bool aborted,
                         const QDateTime& finish) {
    const RunData& run = model.run;
    RunRecord r = runHeaderOf(model);
    r.finish = finish;
    r.verdict = unitVerdictOf(overallVerdict(model));
    r.aborted = aborted;
    r.softwareVersion = runSoftwareVersion(model.softwareVersion);
    r.libraryVersion = libraryVersion();
    r.ateIni = start.ateIni;
    r.productsIni = start.productsIni;
    r.instruments = instrumentsUsedSinceStart();
    if (run.product.isEmpty())
        return r;
    RecordLines lines =
        readRecordLines(model, run.product, recordedInModel(model), start.measuredAt);
    r.lines = std::move(lines.lines);
    r.untested = lines.untested;
    r.complete = lines.complete;
    return r;
}

RunRecord recordOfRunNow(const RunModel& model) {
    RunRecord r = buildRunRecord(model, {}, model.standing.aborted, QDateTime());
    r.stored = storedTextOf(r);
    return r;
}

const std::optional<RunRecord>& finishedRunRecord() {
    return finishedRecord();
}

void keepFinishedRunRecord(const RunRecord& record) {
    finishedRecord() = record;
}

void forgetFinishedRunRecord() {
    finishedRecord().reset();
}

void beginRunRecord() {
    forgetFinishedRunRecord();
    OpenRun run;
    run.start.ateIni = configFileNow(StationFile::Ate, QStringLiteral("History"));
    run.start.productsIni = configFileNow(StationFile::Products, runModel().run.product);
    openRun() = std::move(run);
    startInstrumentLog();
    notifyRunStarted(runHeaderOf(runModel()));
}

void noteLineMeasured(int lineNumber) {
    if (openRun())
        openRun()->start.measuredAt.insert(lineNumber, libraryClock().now());
}

void noteRunAborted() {
    if (openRun())
        openRun()->aborted = true;
}

void finishRunRecord() {
    if (!openRun())
        return;
    const OpenRun run = std::move(*openRun());
    openRun().reset();
    RunRecord record = buildRunRecord(runModel(), run.start, run.aborted, libraryClock().now());
    record.stored = storedTextOf(record);
    record.ended = true;
    keepFinishedRunRecord(record);
    notifyRunFinished(record);
}

} // namespace XQTestDev
