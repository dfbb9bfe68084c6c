#include "ui/SharedWindows.h"

#include "frame/LibraryState.h"
#include "ui/BackgroundWindow.h"
#include "ui/Cabinet.h"
#include "ui/StatusWindow.h"

#include <QCoreApplication>

namespace XQTestDev {

SharedWindowSet& sharedWindowSet() {
    static SharedWindowSet windows;
    return windows;
}

void closeSharedWindows() {
    SharedWindowSet& windows = sharedWindowSet();
    delete windows.statusWindow.data();
    delete windows.backgroundWindow.data();
    delete windows.cabinet.data();
    library().backgroundShown = false;
}

void closeSharedWindowsWithApplication() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || sharedWindowSet().closeWith == application)
        return;
    // Post routines run first thing in the application's destructor, while
    // widgets can still be deleted.
    qAddPostRoutine(closeSharedWindows);
    sharedWindowSet().closeWith = application;
}

StatusWindow* existingStatusWindow() {
    return sharedWindowSet().statusWindow.data();
}

StatusWindow& statusWindow() {
    SharedWindowSet& windows = sharedWindowSet();
    if (!windows.statusWindow) {
        closeSharedWindowsWithApplication();
        windows.statusWindow = new StatusWindow;
    }
    return *windows.statusWindow;
}

} // namespace XQTestDev
