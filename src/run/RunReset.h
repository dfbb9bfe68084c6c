#pragma once

namespace XQTestDev {

// Ends what is on screen for a new run: closes every group window and empties
// the window and page tables, then resets the results section and writes its
// run header from the run data. Nothing happens (false) when no product is
// chosen or no group window exists. The caller rebuilds the menu when the new
// run shows it.
bool resetRunWithoutRebuild();

} // namespace XQTestDev
