#include "run/GroupStart.h"

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "run/GroupWindow.h"
#include "run/ProductDefinition.h"
#include "run/ResultsFile.h"
#include "run/RunMessages.h"

#include <XQTestDev/XQUtility32.h>

#include <QPointer>

namespace XQTestDev {

namespace {

bool operatorConfirms(const GroupWindow& window) {
    if (!window.promptEnabled())
        return true;
    return sharedUtility().InfoBox(RunMessages::groupStartQuestion(window.groupName()), vbOKCancel,
                                   false, nullptr, false, Center, false) == ResultOK;
}

bool writeGroupReset(const GroupWindow& window) {
    const QString product = library().run.product;
    if (product.isEmpty()) {
        showExclamation(RunMessages::missingProductName());
        return false;
    }
    const QString section = resultsSection(product);
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    IniBatch batch = stationBatch(StationFile::Results);
    for (int row = 0; row < MaxGroupRows && !window.row(row).spec.parameter.isEmpty(); ++row) {
        const int line = spec->lineOf(window.groupName(), window.row(row).spec.parameter,
                                      ProductSpec::AtIncompleteLine::Skip);
        if (line > 0)
            batch.set(section, QString::number(line), UntestedResult);
    }
    batch.set(section, QStringLiteral("OverallPassFail"), ClearedVerdict);
    if (!reportWrite(batch.commit()))
        return false;
    library().testMenu.writtenVerdict = ClearedVerdict;
    return true;
}

} // namespace

void startGroupTest(GroupWindow& window) {
    if (library().testMenu.groupWindows.isEmpty())
        return;
    const QPointer<GroupWindow> guard(&window);
    // The question lets other events run; the menu may be gone when it returns.
    if (!operatorConfirms(window) || !guard)
        return;
    if (!writeGroupReset(window))
        return;
    for (int row = 0; row < MaxGroupRows && !window.row(row).spec.parameter.isEmpty(); ++row)
        window.clearValue(row);
    library().testMenu.pendingGroupName = window.groupName();
}

} // namespace XQTestDev
