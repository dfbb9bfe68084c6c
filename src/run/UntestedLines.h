#pragma once

#include <QString>

namespace XQTestDev {

class RunModel;

// The lines of the product that hold no result when a run ends: never sent,
// cleared, or still reading "TESTING". The overall verdict does not count
// them, so a PASS badge alone would hide a unit that was never fully tested.
int untestedLineCount(const RunModel& model);

// What the header shows beside the verdict: "1 line not tested",
// "3 lines not tested"; empty when every line was tested.
QString untestedLinesText(int count);

} // namespace XQTestDev
