#include "run/ResultsFile.h"

#include "config/ProductDefinition.h"
#include "config/ProductMessages.h"
#include "config/StationFiles.h"
#include "frame/Clock.h"
#include "frame/MessageBox.h"
#include "run/RunSession.h"
#include "ui/RunNotice.h"

#include <QFile>
#include <QLocale>

namespace XQTestDev {

namespace {

// "----|----" under every line up to the end tag; stops with its message at an
// empty line or when key 499 passes without the end tag.
void addUntestedLines(IniBatch& batch, const ProductSpec& spec) {
    TestLineWalk walk(spec, AtGap::Stop, AtShortLine::Yield);
    while (const TestLine* line = walk.next())
        addResultLine(batch, spec.product(), line->number, UntestedResult);
    if (walk.end() == WalkEnd::Gap)
        showExclamation(ProductMessages::specLineMissing(spec.product(), walk.endLine()));
    else if (walk.end() == WalkEnd::NoEndTag)
        showExclamation(ProductMessages::endTagNotReached());
}

} // namespace

namespace {

// Whether the operator was told of a failed write since the last run ended.
bool& operatorTold() {
    static bool told = false;
    return told;
}

} // namespace

// A full disk fails every write of a run: the operator is stopped once per
// unit (from the end of one run to the end of the next), and the rest is said
// where it does not need an answer.
bool reportWrite(const WriteResult& result) {
    if (result)
        return true;
    runModel().standing.resultsFileFailed = true;
    if (operatorTold()) {
        sayRunNotice(result.error);
        return false;
    }
    operatorTold() = true;
    showExclamation(result.error);
    return false;
}

void sayNextFailedWriteToTheOperator() {
    operatorTold() = false;
}

bool resetResults(const RunData& run) {
    if (run.product.isEmpty()) {
        showExclamation(ProductMessages::missingProductName());
        return false;
    }
    IniBatch batch = stationBatch(StationFile::Results);
    addClearedRunHeader(batch, run.product);
    addUntestedLines(batch, *readProductSpec(run.product));
    if (!reportWrite(batch.commit()))
        return false;
    runModel().writtenVerdict = ClearedVerdict;
    return true;
}

bool writeRunHeader(RunData& run) {
    if (run.product.isEmpty())
        return false;
    if (run.startTime.isNull())
        run.startTime = libraryClock().now();
    IniBatch batch = stationBatch(StationFile::Results);
    addRunHeader(batch, run, resultsFileTime(run.startTime));
    return reportWrite(batch.commit());
}

bool recordEndTestTime(const QString& product) {
    if (product.isEmpty())
        return false;
    return reportWrite(writeEndTestTime(product, libraryClock().now()));
}

void removeResultsFile() {
    QFile::remove(stationFilePath(StationFile::Results));
}

} // namespace XQTestDev
