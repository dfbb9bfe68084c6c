#pragma once

#include "DemoSession.h"

namespace XQTestDev {
class XQMenu32;
class XQUtility32;
} // namespace XQTestDev

// Tests one unit of the chosen product: shows the group windows, measures every
// test line (a few of them fail on purpose), ends the run and prints the
// overall verdict and where the results file is.
// False when no unit was tested (no product chosen).
bool testOneUnit(XQTestDev::XQUtility32& utility, XQTestDev::XQMenu32& menu,
                 const DemoSession& session);
