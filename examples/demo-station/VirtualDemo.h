#pragma once

#include "DemoSession.h"

namespace XQTestDev {
class XQUtility32;
} // namespace XQTestDev

// The virtual instruments: one test line of the sample product is read on a
// virtual device and confirmed by the operator (by the demo itself with
// --auto), and a trimmer adjustment is followed on the LED bar.
void useVirtualInstruments(XQTestDev::XQUtility32& utility, const DemoSession& session);
