#pragma once

#include <QObject>
#include <QPointer>

namespace XQTestDev {

class BackgroundWindow;
class Cabinet;
class StatusWindow;

// The shared windows, one set per process: the shared utility's cabinet, the
// full-screen background and the status message window, each created on first
// use.
struct SharedWindowSet {
    QPointer<Cabinet> cabinet;
    QPointer<BackgroundWindow> backgroundWindow;
    QPointer<StatusWindow> statusWindow;
    QPointer<QObject> closeWith; // the application they close with
};
SharedWindowSet& sharedWindowSet();

// The status message window, one per process, created on first use.
StatusWindow& statusWindow();
// The status window when it exists, else nullptr (nothing is created).
StatusWindow* existingStatusWindow();

// The library-wide windows (cabinet, background, status window) are closed
// while the application still runs its shutdown, before Qt takes its window
// system down. Called by everything that creates one of them.
void closeSharedWindowsWithApplication();

// Closes them now (the cabinet forgets its shelves); the next use creates
// them afresh.
void closeSharedWindows();

} // namespace XQTestDev
