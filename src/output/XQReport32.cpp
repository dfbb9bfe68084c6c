#include <XQTestDev/XQReport32.h>

#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "output/ReportFile.h"
#include "output/ReportRun.h"
#include "output/RunRecordFile.h"
#include "output/SystemPrinter.h"

namespace XQTestDev {

// A report is one call: nothing is kept between reports.
class XQReport32Private {};

XQReport32::XQReport32(QObject* parent)
    : QObject(parent), d(std::make_unique<XQReport32Private>()) {
    ensureLibraryStarted();
}

XQReport32::~XQReport32() = default;

namespace {

void printStoredRun(const QString& softwareVersion, const QString& verdictText) {
    RunRecord record = storedRunRecord();
    giveRunRecordSoftwareVersion(record, softwareVersion);
    if (!verdictText.isEmpty())
        record.stored.verdict = verdictText;
    const std::unique_ptr<ReportPrinter> printer =
        makeSystemPrinter(choosePrintTarget(), reportPdfPath());
    printReport(*printer, record, softwareVersion);
}

// The header's Print prints as the station program's PrintReport() does,
// under the verdict line the header gives.
const bool ReportRequestRegistered = (setReportRequestHandler([](const QString& verdictText) {
                                          XQReport32 report;
                                          printStoredRun(QString(), verdictText);
                                      }),
                                      true);

} // namespace

void XQReport32::PrintReport(const QString& SoftwareVersion) {
    printStoredRun(SoftwareVersion, QString());
}

} // namespace XQTestDev
