#include "run/ResultRecording.h"

#include "frame/LibraryState.h"
#include "run/GroupWindow.h"
#include "run/ProductDefinition.h"
#include "run/ResultsFile.h"

namespace XQTestDev {

ResultRow findResultRow(const QList<QPointer<GroupWindow>>& windows, const QString& group,
                        const QString& parameter) {
    for (const QPointer<GroupWindow>& window : windows) {
        if (!window || window->groupName() != group)
            continue;
        for (int row = 0; row < MaxGroupRows; ++row) {
            const QString& shown = window->row(row).spec.parameter;
            if (shown.isEmpty())
                break;
            if (shown == parameter)
                return {window.data(), row};
        }
        return {};
    }
    return {};
}

Recording recordResult(const QString& group, const QString& parameter, const QString& value) {
    const QString product = library().run.product;
    if (group.trimmed().isEmpty() || parameter.trimmed().isEmpty() || product.isEmpty())
        return {};
    const int line =
        readProductSpec(product)->lineOf(group, parameter, ProductSpec::AtIncompleteLine::Stop);
    if (line == 0)
        return {};
    return {true, writeResultLine(product, line, value.trimmed())};
}

} // namespace XQTestDev
