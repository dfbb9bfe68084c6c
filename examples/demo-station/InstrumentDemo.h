#pragma once

#include "DemoSession.h"

// The bench instruments of the demo station on a GPIB bus (the simulated bus
// when scripts/run-demo.sh starts it): scans the bus, then reads the power
// supply's current and the multimeter's output voltage periodically on their
// panels for a moment, as a station does while it tests a board.
void measureOnTheBench(const DemoSession& session);
