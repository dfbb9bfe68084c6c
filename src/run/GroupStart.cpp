#include "run/GroupStart.h"

#include "config/ProductDefinition.h"
#include "config/ProductMessages.h"
#include "config/StationFiles.h"
#include "frame/MessageBox.h"
#include "frame/OperatorPrompt.h"
#include "run/GroupWindow.h"
#include "run/ResultsFile.h"
#include "run/RunMessages.h"
#include "run/RunSession.h"

#include <QPointer>
#include <QStringList>

namespace XQTestDev {

namespace {

bool operatorConfirms(bool promptEnabled, const QString& groupName) {
    if (!promptEnabled)
        return true;
    return operatorPrompt().confirm(RunMessages::groupStartQuestion(groupName));
}

QStringList parametersOf(const RunGroup& group) {
    QStringList parameters;
    for (const RunRow& row : group.rows)
        parameters.append(row.spec.parameter);
    return parameters;
}

// May show messages (a missing PRODUCTS.INI, a failed write), so it works on
// copies and never on the window or the model.
bool writeGroupReset(const QString& product, const QString& groupName,
                     const QStringList& parameters) {
    if (product.isEmpty()) {
        showExclamation(ProductMessages::missingProductName());
        return false;
    }
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    IniBatch batch = stationBatch(StationFile::Results);
    for (const QString& parameter : parameters) {
        const int line = spec->lineOf(groupName, parameter, ProductSpec::AtIncompleteLine::Skip);
        if (line > 0)
            addResultLine(batch, product, line, UntestedResult);
    }
    addClearedVerdict(batch, product);
    return reportWrite(batch.commit());
}

} // namespace

void startGroupTest(GroupWindow& window) {
    if (runSession().groupWindows.isEmpty())
        return;
    // Every message below lets other events run: the station program may close
    // the menu meanwhile, which deletes this window and the model's groups.
    const QPointer<GroupWindow> guard(&window);
    const int group = window.index();
    const QString groupName = window.groupName();
    if (!operatorConfirms(window.promptEnabled(), groupName) || !guard)
        return;
    RunModel& model = runModel();
    const bool written =
        writeGroupReset(model.run.product, groupName, parametersOf(model.group(group)));
    if (!written || !guard)
        return;
    model.writtenVerdict = ClearedVerdict;
    model.clearGroup(group);
    emit model.groupStartRequested(groupName);
}

} // namespace XQTestDev
