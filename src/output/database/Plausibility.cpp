#include "output/database/Plausibility.h"

#include "config/ResultsFileCodec.h"
#include "config/StationFiles.h"
#include "frame/MessageBox.h"
#include "output/ReportFormat.h"
#include "output/database/DatabaseMessages.h"
#include "output/database/RunInputs.h"

#include <QLocale>

#include <functional>
#include <vector>

namespace XQTestDev {

namespace {

using Action = PlausibilityFinding::Action;

struct Check {
    std::function<bool(const RunInputs&, DBType)> applies;
    Action action;
    QString warning;
};

bool isDate(const QString& text) {
    return readResultsTime(text).has_value();
}

const std::vector<Check>& checks() {
    using namespace DatabaseMessages;
    static const std::vector<Check> list = {
        {[](const RunInputs& in, DBType type) {
             return in.userName.isEmpty() && type == msSQLServer;
         },
         Action::Warn, missingUserName()},
        {[](const RunInputs& in, DBType) { return in.databaseName.isEmpty(); }, Action::Warn,
         missingDatabaseName()},
        {[](const RunInputs& in, DBType type) {
             return in.serverName.isEmpty() && type == msSQLServer;
         },
         Action::Warn, missingServerName()},
        {[](const RunInputs& in, DBType) { return in.ateId.isEmpty(); }, Action::Warn,
         missingAteId()},
        {[](const RunInputs& in, DBType) { return in.verdict.isEmpty(); }, Action::Warn,
         missingVerdict()},
        {[](const RunInputs& in, DBType) { return in.serialNumber.isEmpty(); }, Action::Warn,
         missingSerialNumber()},
        {[](const RunInputs& in, DBType) { return in.softwareVersion.isEmpty(); }, Action::Warn,
         missingSoftwareVersion()},
        {[](const RunInputs& in, DBType) { return !isDate(in.startTime); },
         Action::RepairStart,
         {}},
        {[](const RunInputs& in, DBType) { return !isDate(in.endTime); }, Action::RepairEnd, {}},
        {[](const RunInputs& in, DBType) { return in.ateIniVersion.isEmpty(); }, Action::Warn,
         missingAteIniVersion()},
        {[](const RunInputs& in, DBType) { return in.productIniVersion.isEmpty(); }, Action::Warn,
         missingProductIniVersion()},
    };
    return list;
}

// "mm/dd/yyyy hh:mm:ss am/pm", the form of every time in the results file.
QString resultsTimeText(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("MM/dd/yyyy hh:mm:ss ap"));
}

} // namespace

PlausibilityFinding firstPlausibilityFinding(const RunInputs& in, DBType type) {
    for (const Check& check : checks()) {
        if (check.applies(in, type))
            return {check.action, check.warning};
    }
    return {};
}

void checkPlausibility(RunInputs& in, DBType type, const QDateTime& now) {
    const PlausibilityFinding finding = firstPlausibilityFinding(in, type);
    if (finding.action == Action::None)
        return;
    if (finding.action == Action::Warn) {
        showExclamation(finding.warning);
        return;
    }
    const bool start = finding.action == Action::RepairStart;
    QString& time = start ? in.startTime : in.endTime;
    time = resultsTimeText(now);
    // The row carries the repaired time even when the results file refuses it.
    IniBatch batch = stationBatch(StationFile::Results);
    if (start)
        addStartTestTime(batch, in.product, time);
    else
        addEndTestTime(batch, in.product, time);
    batch.commit();
}

} // namespace XQTestDev
