#pragma once

#include "DemoSession.h"

// Starts xq-dashboard on the station's SQLite file, asks it for the overview
// page and the yields once, prints what it said and stops it again: the
// fleet view of the one station the demo ran.
void showFleetView(const DemoSession& session);
