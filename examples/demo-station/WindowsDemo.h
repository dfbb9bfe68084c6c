#pragma once

#include "DemoSession.h"

namespace XQTestDev {
class XQMenu32;
class XQUtility32;
} // namespace XQTestDev

// The library's shared windows at the end of a run: the background behind
// the station, progress in the status window, the cabinet with the status
// window put away into it, and the big PASS or FAIL of the unit.
void showSharedWindows(XQTestDev::XQUtility32& utility, XQTestDev::XQMenu32& menu,
                       const DemoSession& session);
