#pragma once

#include "DemoSession.h"

namespace XQTestDev {
class XQMenu32;
} // namespace XQTestDev

// Prints the report of the unit just tested: the text file XQ_Report.txt and,
// on a station without a printer (or in automatic mode), a PDF beside it; then
// prints where both are.
void printUnitReport(const XQTestDev::XQMenu32& menu, const DemoSession& session);
