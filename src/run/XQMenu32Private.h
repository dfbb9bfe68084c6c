#pragma once

#include "run/RunSnapshot.h"
#include "run/VerdictClock.h"

#include <QString>

namespace XQTestDev {

// Per-object state of an XQMenu32. The run data and the group windows are
// library-wide and live in the run session (RunSession.h) instead.
class XQMenu32Private {
public:
    bool testing = false; // a run is active
    bool enableTestPrompt = true;
    bool disableGroupTestButton = false;
    QString groupOrder; // order text of the current menu, for SendData's name test
    VerdictClock* verdictClock = nullptr; // child of the menu object
    RunSnapshot snapshot;                 // the last accepted user entry of this object
};

} // namespace XQTestDev
