#include "output/StoredRunReport.h"

#include "frame/RunOutputs.h"
#include "output/ReportFile.h"
#include "output/ReportRun.h"
#include "output/RunRecordFile.h"
#include "output/SystemPrinter.h"

#include <memory>

namespace XQTestDev {

void printStoredRun(const QString& softwareVersion, const QString& verdictText) {
    RunRecord record = storedRunRecord();
    giveRunRecordSoftwareVersion(record, softwareVersion);
    if (!verdictText.isEmpty())
        record.stored.verdict = verdictText;
    const std::unique_ptr<ReportPrinter> printer =
        makeSystemPrinter(choosePrintTarget(), reportPdfPath());
    printReport(*printer, record, softwareVersion);
}

} // namespace XQTestDev
