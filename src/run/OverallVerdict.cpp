#include "run/OverallVerdict.h"

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "run/GroupWindow.h"
#include "run/ResultsFile.h"

namespace XQTestDev {

QString computeOverallVerdict(const QList<QPointer<GroupWindow>>& windows, bool runActive) {
    int passes = 0;
    int fails = 0;
    for (const QPointer<GroupWindow>& guarded : windows) {
        GroupWindow* window = guarded.data();
        if (!window)
            continue;
        for (int row = 0; row < MaxGroupRows; ++row) {
            const GroupRow& r = window->row(row);
            if (r.spec.parameter.isEmpty())
                break;
            if (r.value.isEmpty())
                continue;
            if (r.testing) {
                if (runActive) {
                    window->setValueVisible(row, !r.valueVisible);
                } else {
                    window->clearValue(row);
                    window->setFrame(row, FrameLook::Result);
                }
                continue;
            }
            if (r.colour == ValueColour::Black)
                ++passes;
            else if (r.colour == ValueColour::Red)
                ++fails;
            if (!r.valueVisible)
                window->setValueVisible(row, true);
        }
    }
    if (fails > 0)
        return QStringLiteral("FAIL");
    return passes > 0 ? QStringLiteral("PASS") : QString();
}

WriteResult refreshOverallVerdict(bool runActive) {
    LibraryState& state = library();
    RunTables& menu = state.testMenu;
    menu.overallVerdict = computeOverallVerdict(menu.groupWindows, runActive);
    const bool unchanged = menu.overallVerdict == menu.writtenVerdict ||
                           (menu.overallVerdict.isEmpty() && menu.writtenVerdict == ClearedVerdict);
    if (unchanged || state.run.product.isEmpty())
        return {};
    WriteResult written = writeStationValue(StationFile::Results, resultsSection(state.run.product),
                                            QStringLiteral("OverallPassFail"), menu.overallVerdict);
    if (written)
        menu.writtenVerdict = menu.overallVerdict;
    return written;
}

} // namespace XQTestDev
