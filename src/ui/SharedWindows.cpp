#include "ui/SharedWindows.h"

#include "frame/LibraryState.h"
#include "ui/BackgroundWindow.h"
#include "ui/Cabinet.h"
#include "ui/StatusWindow.h"

#include <QCoreApplication>

namespace XQTestDev {

void closeSharedWindows() {
    LibraryState& state = library();
    delete state.statusWindow.data();
    delete state.backgroundWindow.data();
    delete state.cabinet.data();
    state.backgroundShown = false;
}

void closeSharedWindowsWithApplication() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || library().sharedWindowsCloseWith == application)
        return;
    // Post routines run first thing in the application's destructor, while
    // widgets can still be deleted.
    qAddPostRoutine(closeSharedWindows);
    library().sharedWindowsCloseWith = application;
}

StatusWindow* existingStatusWindow() {
    return library().statusWindow.data();
}

StatusWindow& statusWindow() {
    LibraryState& state = library();
    if (!state.statusWindow) {
        closeSharedWindowsWithApplication();
        state.statusWindow = new StatusWindow;
    }
    return *state.statusWindow;
}

} // namespace XQTestDev
