#pragma once

#include <QPoint>

class QAction;
class QMenu;

namespace XQTestDev {

// Opens a pop-up menu of one of the library's windows. While it is open no
// library window is brought to the front or sent to the back (the on-top
// suspended flag is set); afterwards the flag returns to its earlier value,
// unless the operator chose a new one from the menu meanwhile.
QAction* execPopupMenu(QMenu& menu, const QPoint& globalPosition);

// The operator's Always on Top choice: it outlasts the menu it came from.
void chooseOnTopSuspended(bool suspended);

} // namespace XQTestDev
