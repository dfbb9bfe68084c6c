#pragma once

#include "frame/DurableFile.h"

namespace XQTestDev {

// One tick of the menu's clock: during a run the values under test blink in
// their windows; after it they are removed. Then the overall verdict of the
// run model is kept as the menu's OverallPassFail and written to the results
// file when it differs from what the file holds. An empty verdict leaves
// "----" (nothing judged yet) alone. A failed write is returned, not shown:
// the next tick tries again.
WriteResult refreshOverallVerdict(bool runActive);

// A new unit's run starts (Start Test, StartAllTest, a group start): the
// previous unit's verdict is gone at once, and the station's rule for
// untested lines is read for this run.
void beginUnitVerdict();

// The run has ended (StopTest, a confirmed abort): the verdict is computed
// and written now, as the clock would on its next tick, so that whatever the
// station program calls next sees it. A failed write is said like every
// other failed write of the results file.
void settleOverallVerdict();

// The operator confirmed Abort: the unit fails, whatever its lines show.
void noteUnitAborted();

} // namespace XQTestDev
