#pragma once

#include <QString>

namespace XQTestDev {

class XQMenu32;
class XQMenu32Private;

// The one way a run ends as aborted, whoever ends it: the operator's
// confirmed Abort on the header, an exception that escaped the station
// program's handler, Ctrl-C. The run is marked aborted, AbortClick is raised
// and, unless the menu object went with it, the run's record is finished.
void abortRun(XQMenu32& menu, XQMenu32Private& d);

// The menu object whose run (all lines or a group) has just started: the one
// an abort from outside the header ends.
void noteRunStartedBy(XQMenu32& menu, XQMenu32Private& d);

} // namespace XQTestDev
