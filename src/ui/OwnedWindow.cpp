#include "ui/OwnedWindow.h"

#include "ui/Cabinet.h"

namespace XQTestDev {

void hideAndDeleteLater(QWidget* window) {
    if (!window)
        return;
    window->hide();
    window->deleteLater();
}

void unloadAndDeleteLater(QPointer<QWidget> window) {
    if (!window)
        return;
    // The cabinet's animation runs events: the window may go meanwhile.
    cabinet().collapse(*window, QString(), true);
    if (window)
        window->deleteLater();
}

} // namespace XQTestDev
