// The XQMenu32 members that judge, record and clear results and end a run.

#include <XQTestDev/XQMenu32.h>

#include "config/ProductDefinition.h"
#include "config/StationFiles.h"
#include "frame/MessageBox.h"
#include "run/MenuPages.h"
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
bool recordShownResult(const QString& group, const QString& parameter, int lineNumber,
                       const Judgement& judgement) {
    if (judgement.recordedResult.isEmpty())
        return false;
    const Recording recording =
        recordResult(group, parameter, recordedValue(judgement.recordedResult, judgement.verdict));
    if (!recording.lineFound || !reportWrite(recording.write))
        return false;
    noteLineMeasured(lineNumber);
    return judgement.verdict == Verdict::Pass;
}

// "----|----" under every line of the current product up to the end tag.
bool writeAllUntested() {
    const QString product = runModel().run.product;
    if (product.isEmpty())
        return true;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    const QString section = resultsSection(product);
    IniBatch batch = stationBatch(StationFile::Results);
    TestLineWalk walk(*spec, AtGap::Skip, AtShortLine::Yield);
    while (const TestLine* line = walk.next())
        batch.set(section, QString::number(line->number), UntestedResult);
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
    const bool passed = recordShownResult(GroupName, ParameterName, row.lineNumber, judgement);
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

void XQMenu32::StopTest() {
    d->testing = false;
    setGroupStartsEnabled(!d->disableGroupTestButton);
    endRunInHeader(*d);
    showFirstFailedPage();
    showPageInHeader(*d);
    writeEndTestTime(runModel().run.product);
    finishRunRecord();
}

QString XQMenu32::OverallPassFail() const {
    return runModel().overallVerdict;
}

} // namespace XQTestDev
