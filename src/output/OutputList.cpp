// The outputs of a run, registered in one list when the library loads. Each
// renders the run's record and none reads another's state.

#include "frame/Clock.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "output/RunRecordFile.h"
#include "output/StoredRunReport.h"
#include "output/database/StationState.h"

namespace XQTestDev {

namespace {

const bool OutputsRegistered = [] {
    // When a run ends: its record file. The product's row, the run tables and
    // the report follow when the station program asks for them.
    addRunFinishedHandler([](const RunRecord& record) { writeRunRecordFile(record); });
    // The station's live state in its run tables, at both ends of a run.
    addRunStartedHandler([](const RunRecord& record) {
        noteStationState(testingState(record, libraryClock().now()));
    });
    addRunFinishedHandler(
        [](const RunRecord& record) { noteStationState(idleState(record, libraryClock().now())); });
    setRecordFileNamer(runRecordFileOf);
    // The header's Print prints as the station program's PrintReport() does.
    setReportRequestHandler([](const QString& verdictText) {
        ensureLibraryStarted();
        printStoredRun(QString(), verdictText);
    });
    return true;
}();

} // namespace

} // namespace XQTestDev
