#include "ui/PopupMenu.h"

#include "frame/LibraryState.h"

#include <QMenu>

namespace XQTestDev {

QAction* execPopupMenu(QMenu& menu, const QPoint& globalPosition) {
    LibraryState& state = library();
    const bool before = state.onTopSuspended;
    const unsigned choicesBefore = state.onTopChoices;
    state.onTopSuspended = true;
    QAction* chosen = menu.exec(globalPosition);
    if (library().onTopChoices == choicesBefore)
        library().onTopSuspended = before;
    return chosen;
}

void chooseOnTopSuspended(bool suspended) {
    LibraryState& state = library();
    state.onTopSuspended = suspended;
    ++state.onTopChoices;
}

} // namespace XQTestDev
