#pragma once

#include <QString>

namespace XQTestDev {

// Where a run's outputs wait when the results folder cannot take them (a full
// disk, a lost network drive): XQ_HELD_RUNS_DIR when set, else
// $XDG_STATE_HOME/xqtestdev/held/, else ~/.local/state/xqtestdev/held/. It
// survives a restart; what waits there is written to its place at the end of
// the next run and by the next database write. Ends with a slash.
QString heldRunsFolder();

} // namespace XQTestDev
