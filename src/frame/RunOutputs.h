#pragma once

#include "frame/RunRecord.h"

#include <functional>

namespace XQTestDev {

// The run (src/run) hands its finished record to the outputs (src/output)
// through here, so neither layer includes the other. An output registers its
// handler once when the library loads; the run calls notifyRunFinished when a
// run ends (stopped or aborted). Handlers run in registration order on the
// GUI thread and never throw.
using RunFinishedHandler = std::function<void(const RunRecord&)>;

void addRunFinishedHandler(RunFinishedHandler handler);
void notifyRunFinished(const RunRecord& record);

// The run as it stands, for an output the station program asks for at any
// time (WriteDatabase, PrintReport): its run data and the software version the
// header kept, without lines. The run registers how to tell it when the
// library loads; without one the record is empty.
using CurrentRunSource = std::function<RunRecord()>;

void setCurrentRunSource(CurrentRunSource source);
RunRecord currentRunHeader();

} // namespace XQTestDev
