#pragma once

#include "run/RunSnapshot.h"

#include <XQTestDev/Enums.h>

#include <QObject>
#include <QString>

namespace XQTestDev {

class HeaderControl;

// Per-object state of an XQMenu32. The run data and the group windows are
// library-wide and live in the run session (RunSession.h) instead.
class XQMenu32Private {
public:
    bool enableTestPrompt = true;
    bool disableGroupTestButton = false;
    QString groupOrder; // order text of the current menu, for SendData's name test
    // The header window with its clock, which also keeps the overall verdict
    // up to date; child of the menu object.
    HeaderControl* header = nullptr;
    MenuPositions menuPosition = MenuPositions(0); // 0 until set
    bool menuPositionSet = false;
    RunSnapshot snapshot;                       // the last accepted user entry of this object
    QMetaObject::Connection menuShowConnection; // the cabinet's request to show the menu
};

} // namespace XQTestDev
