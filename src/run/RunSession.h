#pragma once

#include "run/RunModel.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace XQTestDev {

class GroupWindow;

// The run of the library, one per process: its model and the windows that
// show it. Window i of the list shows group i of the model.
class HeaderControl;

struct RunSession {
    RunModel model;
    QList<QPointer<GroupWindow>> groupWindows; // in menu order
    int shownPage = -1;                        // page whose windows are shown; -1 before the first
    int menuXOffset = 0;                       // twips; 0 until the menu is placed
    double menuScale = 1;                      // MenuScale when the menu was last built
    QPointer<QObject> owner;                   // the menu object that built the windows
    QPointer<HeaderControl> shownHeader;       // the header shown with the group windows
    bool userEntryOpened = false;              // the first user entry cannot be cancelled
};

RunSession& runSession();

inline RunModel& runModel() {
    return runSession().model;
}

// Back to a session without windows, groups or run data (tests start each case
// from here).
void resetRunSession();

} // namespace XQTestDev
