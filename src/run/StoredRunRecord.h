#pragma once

#include "frame/RunRecord.h"

namespace XQTestDev {

class RunModel;

// The run of `product` (the menu's product when empty) as the results file
// holds it now: what an output the station program asks for at any time
// prints or stores. The software version is the one the header kept.
RunRecord storedRunRecord(const RunModel& model, const QString& product);

} // namespace XQTestDev
