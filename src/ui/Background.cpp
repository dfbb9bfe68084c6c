#include "ui/Background.h"

#include "frame/LibraryState.h"
#include "ui/BackgroundWindow.h"
#include "ui/SharedWindows.h"

namespace XQTestDev {

BackgroundWindow* loadedBackground() {
    return sharedWindowSet().backgroundWindow.data();
}

void showBackground() {
    LibraryState& state = library();
    SharedWindowSet& windows = sharedWindowSet();
    if (!windows.backgroundWindow) {
        closeSharedWindowsWithApplication();
        windows.backgroundWindow = new BackgroundWindow;
    }
    BackgroundWindow& window = *windows.backgroundWindow;
    window.setColour(state.backgroundColor);
    window.startSendingToBack();
    state.backgroundShown = true;
    window.show();
    // Behind everything from the moment it shows, not from the timer's first
    // tick: until then it would cover the station's windows and the cabinet.
    window.lower();
}

void hideBackground() {
    LibraryState& state = library();
    state.backgroundShown = false;
    BackgroundWindow* window = sharedWindowSet().backgroundWindow.data();
    if (!window)
        return;
    // Unloaded later: the request may come from the background's own menu.
    sharedWindowSet().backgroundWindow = nullptr;
    window->hide();
    window->deleteLater();
}

void toggleBackground() {
    if (library().backgroundShown)
        hideBackground();
    else
        showBackground();
}

} // namespace XQTestDev
