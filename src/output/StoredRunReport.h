#pragma once

#include <QString>

namespace XQTestDev {

// The report of the run the outputs see now (the run that ended last, else
// what the results file holds) on the station's printer, under the software
// version given (the record's when empty) and, when given, the verdict line's
// text instead of the run's verdict (the header's Print marks a report printed
// by hand).
void printStoredRun(const QString& softwareVersion, const QString& verdictText = {});

} // namespace XQTestDev
