// The XQMenu32 members that judge, record and clear results and end a run.

#include <XQTestDev/XQMenu32.h>

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "run/GroupWindow.h"
#include "run/MenuPages.h"
#include "run/ProductDefinition.h"
#include "run/ResultJudge.h"
#include "run/ResultRecording.h"
#include "run/ResultsFile.h"
#include "run/RunMessages.h"
#include "run/XQMenu32Header.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

namespace {

// Writes the verdict that the row now shows; true when it was recorded as Pass.
bool recordShownResult(const QString& group, const QString& parameter, const Judgement& judgement) {
    if (judgement.recordedResult.isEmpty())
        return false;
    const Recording recording =
        recordResult(group, parameter, recordedValue(judgement.recordedResult, judgement.colour));
    if (!recording.lineFound || !reportWrite(recording.write))
        return false;
    return judgement.colour == ValueColour::Black;
}

// "----|----" under every line of the current product up to the end tag.
bool writeAllUntested() {
    const QString product = library().run.product;
    if (product.isEmpty())
        return true;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    const QString section = resultsSection(product);
    IniBatch batch = stationBatch(StationFile::Results);
    for (int number = 1; number <= LastSpecKey; ++number) {
        const TestLine& line = spec->line(number);
        if (line.kind == LineKind::EndTag)
            break;
        if (line.kind != LineKind::Empty)
            batch.set(section, QString::number(number), UntestedResult);
    }
    return batch.isEmpty() || reportWrite(batch.commit());
}

} // namespace

bool XQMenu32::SendData(const QString& GroupName, const QString& ParameterName,
                        const QVariant& TestResult, bool MovePage) {
    if (GroupName.isEmpty() || ParameterName.isEmpty()) {
        showExclamation(RunMessages::missingGroupName());
        return false;
    }
    if (!d->groupOrder.contains(GroupName, Qt::CaseInsensitive)) {
        showExclamation(RunMessages::invalidGroupName());
        return false;
    }
    const RunTables& menu = library().testMenu;
    const ResultRow target = findResultRow(menu.groupWindows, GroupName, ParameterName);
    if (!target)
        return false;
    GroupWindow& window = *target.window;
    const GroupRowSpec& row = window.row(target.row).spec;

    window.showValue(target.row, resultText(TestResult) + QLatin1Char(' '),
                     ValueColour::ButtonFace);
    const Judgement judgement = judgeResult(TestResult, row.minimum, row.maximum);
    window.setFrame(target.row, judgement.frame);
    window.setValueColour(target.row, judgement.colour);

    // A failed write shows a message, which lets other events run: keep only
    // the index past this point.
    const int windowIndex = window.index();
    const bool passed = recordShownResult(GroupName, ParameterName, judgement);
    if (MovePage) {
        showPageOfWindow(windowIndex);
        showPageInHeader(*d);
    }
    return passed;
}

void XQMenu32::ClearResults() {
    const RunTables& menu = library().testMenu;
    if (menu.groupWindows.isEmpty())
        return;
    // The file first: when it cannot be written the screen keeps what it shows.
    if (!writeAllUntested())
        return;
    for (const QPointer<GroupWindow>& window : menu.groupWindows) {
        for (int row = 0; window && row < MaxGroupRows; ++row) {
            if (window->row(row).spec.parameter.isEmpty())
                break;
            window->clearValue(row);
        }
    }
}

void XQMenu32::StopTest() {
    d->testing = false;
    setGroupStartsEnabled(!d->disableGroupTestButton);
    endRunInHeader(*d);
    writeEndTestTime(library().run.product);
}

QString XQMenu32::OverallPassFail() const {
    return library().testMenu.overallVerdict;
}

} // namespace XQTestDev
