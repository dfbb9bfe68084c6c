#include <XQTestDev/XQReport32.h>

#include "frame/LibraryState.h"
#include "output/StoredRunReport.h"

namespace XQTestDev {

// A report is one call: nothing is kept between reports.
class XQReport32Private {};

XQReport32::XQReport32(QObject* parent)
    : QObject(parent), d(std::make_unique<XQReport32Private>()) {
    ensureLibraryStarted();
}

XQReport32::~XQReport32() = default;

void XQReport32::PrintReport(const QString& SoftwareVersion) {
    printStoredRun(SoftwareVersion, QString());
}

} // namespace XQTestDev
