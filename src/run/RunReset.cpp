#include "run/RunReset.h"

#include "run/MenuBuild.h"
#include "run/ResultsFile.h"
#include "run/RunSession.h"

namespace XQTestDev {

bool resetRunWithoutRebuild() {
    RunSession& session = runSession();
    if (session.model.run.product.isEmpty() || session.groupWindows.isEmpty())
        return false;
    closeGroupWindows();
    if (resetResults(session.model.run))
        writeRunHeader(session.model.run);
    return true;
}

} // namespace XQTestDev
