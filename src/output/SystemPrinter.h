#pragma once

#include "output/ReportPrinter.h"

#include <QString>

#include <memory>

namespace XQTestDev {

// Where the printed report goes: the system's default printer, or a PDF file
// beside the text file on a station without a configured printer (or when the
// environment variable XQ_REPORT_PDF is set to anything but "0", so that a
// station can keep its printer for other work).
enum class PrintTarget { DefaultPrinter, PdfFile };

PrintTarget choosePrintTarget();

// The report's printer on this station. For a PDF, every page of the report
// lands in the one file at `pdfPath`, written durably when the printer is
// released.
std::unique_ptr<ReportPrinter> makeSystemPrinter(PrintTarget target, const QString& pdfPath);

} // namespace XQTestDev
