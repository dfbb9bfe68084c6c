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

} // namespace XQTestDev
