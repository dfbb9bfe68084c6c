#include "instruments/GpibStatusLines.h"

#include "frame/LibraryState.h"
#include "frame/Placement.h"
#include "instruments/PropertyRules.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

namespace XQTestDev {

namespace {

bool statusLinesAllowed() {
    return !library().statusHide && !library().onTopSuspended;
}

} // namespace

void writeStatusLine(int line, const QString& text) {
    if (statusLinesAllowed())
        statusWindow().setLine(line, text);
}

void placeStatusWindow() {
    LibraryState& state = library();
    StatusWindow& window = statusWindow();
    const QPointF stored(numberOf(state.statusLeft), numberOf(state.statusTop));
    const QPointF at = placeWindow(window, state.statusPosition, stored);
    if (state.statusPosition >= Center && state.statusPosition <= RightDown) {
        state.statusTop = static_cast<float>(at.y());
        state.statusLeft = static_cast<float>(at.x());
    }
    if (statusLinesAllowed())
        window.show();
}

void bringStatusWindowToFront() {
    if (statusLinesAllowed())
        statusWindow().bringToFrontIfShown();
}

} // namespace XQTestDev
