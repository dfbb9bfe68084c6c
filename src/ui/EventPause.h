#pragma once

#include <QtGlobal>

namespace XQTestDev {

// A millisecond tick count that only moves forward.
qint64 tickCount();

// Lets the window system handle what is pending (timers, clicks, repaints)
// once, as the library's animations do between their steps.
void letPendingEventsRun();

// Waits the given number of seconds while timers and windows keep running.
// A negative number (or no number) returns at once; 0 returns as soon as the
// tick count has moved on.
void letEventsRunFor(double seconds);

} // namespace XQTestDev
