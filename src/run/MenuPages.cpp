#include "run/MenuPages.h"

#include "run/FailedPages.h"
#include "run/GroupWindow.h"
#include "run/RunSession.h"

namespace XQTestDev {

void showMenuPage(int page, SpecErrorWindows specErrorWindows) {
    RunSession& menu = runSession();
    const WindowRange shown = windowsOfPage(menu.model.layout.pageTable, page);
    // Hide first, so that two pages are never on screen together.
    for (const QPointer<GroupWindow>& window : menu.groupWindows) {
        if (window && !shown.contains(window->index()))
            window->hide();
    }
    for (const QPointer<GroupWindow>& window : menu.groupWindows) {
        if (!window || !shown.contains(window->index()))
            continue;
        const bool hidden = specErrorWindows == SpecErrorWindows::Hide && window->specError();
        window->setVisible(!hidden);
    }
    menu.shownPage = page;
}

void showPageOfWindow(int windowIndex) {
    const RunSession& menu = runSession();
    const int page = pageOfWindow(menu.model.layout.pageTable, windowIndex);
    if (page < 0 || page == menu.shownPage)
        return;
    showMenuPage(page);
}

void showFirstFailedPage() {
    const RunSession& menu = runSession();
    const int page = firstFailedPage(menu.model);
    if (page >= 0 && page != menu.shownPage)
        showMenuPage(page);
}

void setGroupStartsEnabled(bool enabled) {
    for (const QPointer<GroupWindow>& window : runSession().groupWindows) {
        if (window)
            window->setStartEnabled(enabled);
    }
}

} // namespace XQTestDev
