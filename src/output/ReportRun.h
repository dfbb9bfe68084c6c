#pragma once

#include "frame/RunRecord.h"

#include <QString>

namespace XQTestDev {

class ReportPrinter;

// Prints the report of `record`'s unit on `printer` and writes the same lines
// to XQ_Report.txt; every way out shows its message, writes the text file and
// releases the printer. An empty software version prints the one the record
// holds.
void printReport(ReportPrinter& printer, const RunRecord& record, const QString& softwareVersion);

// The report of the run as the results file holds it now.
void printReport(ReportPrinter& printer, const QString& softwareVersion);

} // namespace XQTestDev
