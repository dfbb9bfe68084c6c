#include <XQTestDev/XQReport32.h>

#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "output/ReportFile.h"
#include "output/ReportRun.h"
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

// The header's Print prints as the station program's PrintReport() does.
const bool ReportRequestRegistered =
    (setReportRequestHandler([] { XQReport32().PrintReport(); }), true);

} // namespace

void XQReport32::PrintReport(const QString& SoftwareVersion) {
    const std::unique_ptr<ReportPrinter> printer =
        makeSystemPrinter(choosePrintTarget(), reportPdfPath());
    printReport(*printer, SoftwareVersion);
}

} // namespace XQTestDev
