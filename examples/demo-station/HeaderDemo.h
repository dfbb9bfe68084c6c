#pragma once

#include "DemoSession.h"

#include <functional>

namespace XQTestDev {
class XQMenu32;
} // namespace XQTestDev

// Starts the run from the header as the operator does: in automatic mode the
// demo presses the real Start Test button itself, otherwise it waits for the
// operator to press it. `finished` tells when the station's AllTestClick
// handler has returned.
void pressStartTest(const DemoSession& session, const std::function<bool()>& finished);

// Automatic mode only: one group started from its window's Start button,
// answered through GroupTestClick with the line's limits asked of the menu
// object, and one run aborted from the header's Abort button.
void demonstrateGroupStartAndAbort(XQTestDev::XQMenu32& menu, const DemoSession& session);
