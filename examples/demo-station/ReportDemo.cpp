#include "ReportDemo.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQReport32.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace XQTestDev;

namespace {

// The report lies beside the results file: $WinDir, or where no such variable
// exists, the library's own folder under the user's data location.
QString resultsFolder() {
    QString folder = qEnvironmentVariable("WinDir");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/XQTestDev");
    return QDir::cleanPath(folder);
}

} // namespace

void printUnitReport(const XQMenu32& menu, const DemoSession& session) {
    if (menu.TestProduct().isEmpty()) {
        report(QStringLiteral("No product chosen; no report printed."));
        return;
    }
    // An unattended demo keeps the station's printer free and prints to a PDF.
    if (session.automatic && qEnvironmentVariableIsEmpty("XQ_REPORT_PDF"))
        qputenv("XQ_REPORT_PDF", "1");

    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    XQReport32 reporter;
    reporter.PrintReport(QStringLiteral("Demo 1.0"));

    const QString text = resultsFolder() + QStringLiteral("/XQ_Report.txt");
    report(QStringLiteral("Report text file: %1 (%2 bytes)").arg(text).arg(QFileInfo(text).size()));
    const QFileInfo pdf(resultsFolder() + QStringLiteral("/XQ_Report.pdf"));
    if (pdf.exists() && pdf.lastModified() >= started)
        report(QStringLiteral("Report PDF: %1 (%2 bytes)").arg(pdf.filePath()).arg(pdf.size()));
    else
        report(QStringLiteral("Report sent to the default printer."));
}
