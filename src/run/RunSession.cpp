#include "run/RunSession.h"

#include "run/GroupWindow.h"
#include "run/ResultsFile.h"

namespace XQTestDev {

RunSession& runSession() {
    static RunSession session;
    return session;
}

void resetRunSession() {
    RunSession& session = runSession();
    const QList<QPointer<GroupWindow>> windows = session.groupWindows;
    session.groupWindows.clear();
    for (const QPointer<GroupWindow>& window : windows)
        delete window.data();
    RunModel& model = session.model;
    model.removeGroups();
    model.run = RunData();
    model.overallVerdict.clear();
    model.writtenVerdict.clear();
    model.standing = RunStanding();
    sayNextFailedWriteToTheOperator();
    model.softwareVersion.clear();
    session.shownPage = -1;
    session.menuXOffset = 0;
    session.owner = nullptr;
    session.userEntryOpened = false;
}

} // namespace XQTestDev
