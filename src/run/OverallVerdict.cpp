#include "run/OverallVerdict.h"

#include "config/StationFiles.h"
#include "run/GroupWindow.h"
#include "run/ResultsFile.h"
#include "run/RunRecordBuilder.h"
#include "run/RunSession.h"

namespace XQTestDev {

namespace {

void followTestingValues(bool runActive) {
    RunSession& session = runSession();
    if (!runActive) {
        session.model.clearTesting();
        return;
    }
    for (const QPointer<GroupWindow>& window : session.groupWindows) {
        if (window)
            window->blinkTesting();
    }
}

} // namespace

WriteResult refreshOverallVerdict(bool runActive) {
    followTestingValues(runActive);
    RunModel& model = runModel();
    model.overallVerdict = overallVerdict(model);
    const bool unchanged =
        model.overallVerdict == model.writtenVerdict ||
        (model.overallVerdict.isEmpty() && model.writtenVerdict == ClearedVerdict);
    if (unchanged || model.run.product.isEmpty())
        return {};
    WriteResult written = writeOverallPassFail(model.run.product, model.overallVerdict);
    if (written)
        model.writtenVerdict = model.overallVerdict;
    return written;
}

} // namespace XQTestDev

namespace XQTestDev {

namespace {

// "Yes", "True", "1" or "-1" in [ATE Configuration]; anything else keeps the
// verdict of the rows alone, so that a station program may leave lines out.
bool untestedLinesFailConfigured() {
    const QString value = readStationValue(StationFile::Ate, QStringLiteral("ATE Configuration"),
                                           QStringLiteral("UntestedLinesFail"))
                              .trimmed();
    return value.compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0 ||
           value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
           value == QLatin1String("1") || value == QLatin1String("-1");
}

} // namespace

void beginUnitVerdict() {
    // The last run's record stays what outputs see until another run starts.
    forgetFinishedRunRecord();
    RunModel& model = runModel();
    model.standing = RunStanding();
    model.standing.untestedLinesFail =
        stationFileExists(StationFile::Ate) && untestedLinesFailConfigured();
    model.overallVerdict.clear();
}

void settleOverallVerdict() {
    runModel().standing.ended = true;
    reportWrite(refreshOverallVerdict(false));
    sayNextFailedWriteToTheOperator();
}

void noteUnitAborted() {
    runModel().standing.aborted = true;
}

} // namespace XQTestDev
