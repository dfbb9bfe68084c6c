#include "run/RunReset.h"

#include "frame/LibraryState.h"
#include "run/MenuBuild.h"
#include "run/ResultsFile.h"

namespace XQTestDev {

bool resetRunWithoutRebuild() {
    LibraryState& state = library();
    if (state.run.product.isEmpty() || state.testMenu.groupWindows.isEmpty())
        return false;
    closeGroupWindows();
    if (resetResults(state.run))
        writeRunHeader(state.run);
    return true;
}

} // namespace XQTestDev
