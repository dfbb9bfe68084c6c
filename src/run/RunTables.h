#pragma once

#include "run/PageLayout.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace XQTestDev {

class GroupWindow;

// The test menu's tables, one set for the whole library: the group windows in
// menu order and how they are laid out in pages.
struct RunTables {
    QList<QPointer<GroupWindow>> groupWindows;
    PageLayoutState layout;   // page table, layout column, first index of page
    int shownPage = -1;       // page whose windows are shown; -1 before the first
    QString pendingGroupName; // set by a group's Start, consumed by the header
    int menuXOffset = 0;      // twips; 0 until the menu is placed
    QString overallVerdict;   // "PASS", "FAIL" or empty, as last computed
    QString writtenVerdict;   // what OverallPassFail of the results file holds
    QPointer<QObject> owner;  // the menu object that built the windows

    int groupCount() const { return static_cast<int>(groupWindows.size()); }
};

} // namespace XQTestDev
