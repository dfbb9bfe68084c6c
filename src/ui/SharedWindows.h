#pragma once

namespace XQTestDev {

class StatusWindow;

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
