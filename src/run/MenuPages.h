#pragma once

namespace XQTestDev {

// Shows the windows of page `page` (0-based) and hides every other group
// window. The first showing after a build leaves windows whose load found a
// faulty test line hidden.
enum class SpecErrorWindows { Show, Hide };
void showMenuPage(int page, SpecErrorWindows specErrorWindows = SpecErrorWindows::Show);

// Turns to the first page that holds window `windowIndex`; nothing when that
// page is shown already.
void showPageOfWindow(int windowIndex);

// Once a run is over: turns to the first page that holds a failed line, so
// that no failure hides on a page the operator did not turn to.
void showFirstFailedPage();

// Enables every group's Start button, or disables them all.
void setGroupStartsEnabled(bool enabled);

} // namespace XQTestDev
