#pragma once

#include <QString>

namespace XQTestDev {

class ReportPrinter;

// Prints the report of the current run's unit on `printer` and writes the same
// lines to XQ_Report.txt; every way out shows its message, writes the text
// file and releases the printer. An empty software version prints the one
// held for the current run.
void printReport(ReportPrinter& printer, const QString& softwareVersion);

} // namespace XQTestDev
