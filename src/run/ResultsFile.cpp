#include "run/ResultsFile.h"

#include "config/ProductDefinition.h"
#include "config/ProductMessages.h"
#include "config/StationFiles.h"
#include "frame/Clock.h"
#include "frame/MessageBox.h"
#include "run/RunSession.h"

#include <QFile>
#include <QLocale>

namespace XQTestDev {

namespace {

void addHeaderKeys(IniBatch& batch, const QString& section, const QString& startTime,
                   const RunData& run) {
    batch.set(section, QStringLiteral("StartTestTime"), startTime);
    batch.set(section, QStringLiteral("OperatorID"), run.operatorId);
    batch.set(section, QStringLiteral("SerialNumber"), run.serialNumber);
    batch.set(section, QStringLiteral("WorkOrderNumber"), run.workOrder);
    batch.set(section, QStringLiteral("TestID"), run.testId);
    batch.set(section, QStringLiteral("Model"), run.model);
    batch.set(section, QStringLiteral("Revision"), run.revision);
}

void addRemarks(IniBatch& batch, const QString& section, const RunData& run) {
    for (int i = 0; i < 4; ++i)
        batch.set(section, QStringLiteral("Remark%1").arg(i + 1), run.remarks[i]);
}

// "----|----" under every line up to the end tag; stops with its message at an
// empty line or when key 499 passes without the end tag.
void addUntestedLines(IniBatch& batch, const QString& section, const ProductSpec& spec) {
    TestLineWalk walk(spec, AtGap::Stop, AtShortLine::Yield);
    while (const TestLine* line = walk.next())
        batch.set(section, QString::number(line->number), UntestedResult);
    if (walk.end() == WalkEnd::Gap)
        showExclamation(ProductMessages::specLineMissing(spec.product(), walk.endLine()));
    else if (walk.end() == WalkEnd::NoEndTag)
        showExclamation(ProductMessages::endTagNotReached());
}

} // namespace

bool reportWrite(const WriteResult& result) {
    if (!result)
        showExclamation(result.error);
    return result.ok;
}

bool resetResults(const RunData& run) {
    if (run.product.isEmpty()) {
        showExclamation(ProductMessages::missingProductName());
        return false;
    }
    const QString section = resultsSection(run.product);
    IniBatch batch = stationBatch(StationFile::Results);
    for (const char* key : {"StartTestTime", "EndTestTime", "OperatorID", "SerialNumber",
                            "WorkOrderNumber", "TestID", "Model", "Revision"})
        batch.set(section, QLatin1String(key), QString());
    batch.set(section, QStringLiteral("OverallPassFail"), ClearedVerdict);
    addRemarks(batch, section, RunData());
    addUntestedLines(batch, section, *readProductSpec(run.product));
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
    const QString section = resultsSection(run.product);
    IniBatch batch = stationBatch(StationFile::Results);
    addHeaderKeys(batch, section, resultsFileTime(run.startTime), run);
    addRemarks(batch, section, run);
    return reportWrite(batch.commit());
}

WriteResult writeResultLine(const QString& product, int lineNumber, const QString& value) {
    return writeStationValue(StationFile::Results, resultsSection(product),
                             QString::number(lineNumber), value);
}

bool writeEndTestTime(const QString& product) {
    if (product.isEmpty())
        return false;
    return reportWrite(writeStationValue(StationFile::Results, resultsSection(product),
                                         QStringLiteral("EndTestTime"),
                                         resultsFileTime(libraryClock().now())));
}

void removeResultsFile() {
    QFile::remove(stationFilePath(StationFile::Results));
}

} // namespace XQTestDev
