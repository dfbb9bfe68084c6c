#pragma once

#include "DemoSession.h"

namespace XQTestDev {
class XQMenu32;
class XQUtility32;
} // namespace XQTestDev

// Guards the station with an admin password and asks the operator who tests
// which unit. In automatic mode the user entry is answered by itself (operator
// OP01, a serial number, the station's product) and changed configuration
// files are accepted with the password. True when the entry was accepted.
bool enterUnitData(XQTestDev::XQUtility32& utility, XQTestDev::XQMenu32& menu,
                   const DemoSession& session);
