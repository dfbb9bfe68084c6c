#include "run/RunRecordBuilder.h"

#include "config/ProductDefinition.h"
#include "config/StationFiles.h"
#include "config/XQSecurity32.h"
#include "frame/Clock.h"
#include "frame/InstrumentLog.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "run/ResultsFile.h"
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

// Line numbers of the menu's rows in menu order, then every other line of
// the product in number order.
std::vector<const TestLine*> linesInMenuOrder(const RunModel& model, const ProductSpec& spec) {
    std::vector<const TestLine*> ordered;
    QSet<int> listed;
    for (const RunGroup& group : model.groups()) {
        for (const RunRow& row : group.rows) {
            const int number = row.spec.lineNumber;
            if (number > 0 && !listed.contains(number)) {
                listed.insert(number);
                ordered.push_back(&spec.line(number));
            }
        }
    }
    TestLineWalk walk(spec, AtGap::Skip, AtShortLine::Yield);
    while (const TestLine* line = walk.next()) {
        if (!listed.contains(line->number))
            ordered.push_back(line);
    }
    return ordered;
}

RunRecordLine recordLine(const TestLine& spec, const QString& resultsValue,
                         const QHash<int, QDateTime>& measuredAt) {
    RunRecordLine line;
    line.key = QString::number(spec.number);
    line.fieldName = spec.dbFieldName;
    line.group = spec.groupName;
    line.parameter = spec.parameterName;
    line.min = spec.minSpec;
    line.max = spec.maxSpec;
    line.unit = spec.unit;
    const QStringList parts = resultsValue.split(QLatin1Char('|'));
    if (parts.size() != 2 ||
        (parts[1] != QLatin1String("Pass") && parts[1] != QLatin1String("Fail")))
        return line; // no result
    line.value = parts[0];
    line.verdict = parts[1];
    bool isNumber = false;
    const double number = parts[0].trimmed().toDouble(&isNumber);
    if (isNumber)
        line.number = number;
    line.measuredAt = measuredAt.value(spec.number);
    return line;
}

// The run's data without its lines; the software version is the one the
// header kept.
RunRecord runHeaderOf(const RunModel& model) {
    const RunData& run = model.run;
    RunRecord r;
    r.station = readStationValue(StationFile::Ate, QStringLiteral("ATE Configuration"),
                                 QStringLiteral("ID"));
    r.operatorId = run.operatorId;
    r.product = run.product;
    r.model = run.model;
    r.revision = run.revision;
    r.serialNumber = run.serialNumber;
    r.workOrder = run.workOrder;
    r.testId = run.testId;
    r.remarks = run.remarks;
    r.start = run.startTime;
    r.softwareVersion = model.softwareVersion;
    return r;
}

// The outputs ask for the run as it stands through the frame.
const bool CurrentRunRegistered =
    (setCurrentRunSource([] { return runHeaderOf(runModel()); }), true);

} // namespace

RunRecord buildRunRecord(const RunModel& model, const RunRecordStart& start, bool aborted,
                         const QDateTime& finish) {
    const RunData& run = model.run;
    RunRecord r = runHeaderOf(model);
    r.finish = finish;
    r.verdict = overallVerdict(model);
    r.aborted = aborted;
    r.softwareVersion = runSoftwareVersion(model.softwareVersion);
    r.libraryVersion = sharedUtility().GetDLLVersion();
    r.ateIni = start.ateIni;
    r.productsIni = start.productsIni;
    r.instruments = instrumentsUsedSinceStart();
    if (run.product.isEmpty())
        return r;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(run.product);
    const QString section = resultsSection(run.product);
    for (const TestLine* line : linesInMenuOrder(model, *spec)) {
        r.lines.push_back(recordLine(
            *line, readStationValue(StationFile::Results, section, QString::number(line->number)),
            start.measuredAt));
        if (r.lines.back().verdict.isEmpty())
            ++r.untested;
    }
    return r;
}

void beginRunRecord() {
    OpenRun run;
    run.start.ateIni = configFileNow(StationFile::Ate, QStringLiteral("History"));
    run.start.productsIni = configFileNow(StationFile::Products, runModel().run.product);
    openRun() = std::move(run);
    startInstrumentLog();
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
    notifyRunFinished(buildRunRecord(runModel(), run.start, run.aborted, libraryClock().now()));
}

} // namespace XQTestDev
