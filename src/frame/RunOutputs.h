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

} // namespace XQTestDev
