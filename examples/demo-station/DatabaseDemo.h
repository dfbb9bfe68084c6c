#pragma once

#include "DemoSession.h"

namespace XQTestDev {
class XQMenu32;
} // namespace XQTestDev

// Stores the run of the unit just tested as one row of the product's table in
// an SQLite file of the station folder, then reads that row back with plain
// SQL and prints it.
void storeUnitInDatabase(const XQTestDev::XQMenu32& menu, const DemoSession& session);
