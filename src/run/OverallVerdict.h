#pragma once

#include "config/DurableFile.h"

#include <QList>
#include <QPointer>
#include <QString>

namespace XQTestDev {

class GroupWindow;

// The overall verdict of the unit from the shown values: "FAIL" when any value
// is red, else "PASS" when any is black, else empty. Runs on every tick of the
// header's clock, so it reads the rows' state and touches a label only when
// its visibility changes. A "TESTING" value is not counted: while a run is
// active it blinks (hidden and shown on alternate ticks); otherwise the stale
// value is removed.
QString computeOverallVerdict(const QList<QPointer<GroupWindow>>& windows, bool runActive);

// Computes the verdict of the library's group windows, keeps it as the menu's
// OverallPassFail and writes it to the results file when it differs from what
// the file holds. An empty verdict leaves "----" (nothing judged yet) alone. A
// failed write is returned, not shown: the next tick tries again.
WriteResult refreshOverallVerdict(bool runActive);

} // namespace XQTestDev
