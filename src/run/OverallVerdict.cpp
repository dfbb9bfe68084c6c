#include "run/OverallVerdict.h"

#include "config/StationFiles.h"
#include "run/GroupWindow.h"
#include "run/ResultsFile.h"
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
    WriteResult written =
        writeStationValue(StationFile::Results, resultsSection(model.run.product),
                          QStringLiteral("OverallPassFail"), model.overallVerdict);
    if (written)
        model.writtenVerdict = model.overallVerdict;
    return written;
}

} // namespace XQTestDev
