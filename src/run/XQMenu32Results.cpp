// The XQMenu32 members that judge, record and clear results and end a run.

#include <XQTestDev/XQMenu32.h>

#include "config/ProductDefinition.h"
#include "config/StationFiles.h"
#include "frame/Clock.h"
#include "frame/MessageBox.h"
#include "run/MenuPages.h"
#include "run/OverallVerdict.h"
#include "run/ResultJudge.h"
#include "run/ResultRecording.h"
#include "run/ResultsFile.h"
#include "run/RunMessages.h"
#include "run/RunRecordBuilder.h"
#include "run/RunSession.h"
#include "run/XQMenu32Header.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

namespace {

// Writes the verdict that the row now shows; true when it was recorded as Pass.
// The model keeps what was recorded before a failed write is said: saying it
// lets other events run, which may rebuild the menu.
bool recordShownResult(RowRef target, const QString& group, const QString& parameter,
                       const Judgement& judgement) {
    if (judgement.recordedResult.isEmpty())
        return false;
    const QString recorded = encodeResultLine(judgement.recordedResult, judgement.verdict);
    const Recording recording = recordResult(group, parameter, recorded);
    if (!recording.lineFound)
        return false;
    RunModel& model = runModel();
    model.noteRecorded(target, recorded.trimmed(), libraryClock().now());
    noteLineMeasured(model.row(target).spec.lineNumber);
    if (!reportWrite(recording.write))
        return false;
    return judgement.verdict == Verdict::Pass;
}

// "----|----" under every line of the current product up to the end tag.
bool writeAllUntested() {
    const QString product = runModel().run.product;
    if (product.isEmpty())
        return true;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    IniBatch batch = stationBatch(StationFile::Results);
    TestLineWalk walk(*spec, AtGap::Skip, AtShortLine::Yield);
    while (const TestLine* line = walk.next())
        addResultLine(batch, product, line->number, UntestedResult);
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
    RunModel& model = runModel();
    const RowRef target = model.findRow(GroupName, ParameterName);
    if (!target)
        return false;
    const GroupRowSpec& row = model.row(target).spec;
    const Judgement judgement = judgeResult(TestResult, row.minimum, row.maximum);
    model.setResult(target, resultText(TestResult) + QLatin1Char(' '), judgement.verdict);

    // A failed write shows a message, which lets other events run: keep only
    // the group index past this point.
    const int windowIndex = target.group;
    const bool passed = recordShownResult(target, GroupName, ParameterName, judgement);
    if (MovePage)
        showPageOfWindow(windowIndex);
    // The page display follows, and with it the marks of pages with failures.
    showPageInHeader(*d);
    return passed;
}

void XQMenu32::ClearResults() {
    if (runSession().groupWindows.isEmpty())
        return;
    // The file first: when it cannot be written the screen keeps what it shows.
    if (!writeAllUntested())
        return;
    runModel().clearAll();
}

// The unit's verdict is settled here, before the station program writes its
// row or prints its report: every output after StopTest sees the same one.
void XQMenu32::StopTest() {
    runModel().standing.active = false;
    setGroupStartsEnabled(!d->disableGroupTestButton);
    recordEndTestTime(runModel().run.product);
    settleOverallVerdict();
    endRunInHeader(*d);
    showFirstFailedPage();
    showPageInHeader(*d);
    finishRunRecord();
}

QString XQMenu32::OverallPassFail() const {
    return runModel().overallVerdict;
}

} // namespace XQTestDev
