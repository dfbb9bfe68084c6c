#pragma once

#include <QtGlobal>

namespace XQTestDev {

// A millisecond tick count that only moves forward (the library clock's).
qint64 tickCount();

// Lets the window system handle what is pending (timers, clicks, repaints)
// once, as the library's animations do between their steps.
void letPendingEventsRun();

// Waits the given number of seconds while timers and windows keep running.
// A negative number (or no number) returns at once; 0 returns as soon as the
// tick count has moved on.
void letEventsRunFor(double seconds);

// Lets pending events run during a long walk of many small steps without
// asking the event loop at every step: at most once per `intervalMs` of the
// clock, and the clock itself is read only every 32 steps.
class ThrottledEventPump {
public:
    explicit ThrottledEventPump(int intervalMs) : intervalMs_(intervalMs) {}

    // Lets events run now and starts the interval again.
    void runNow();
    // One step of the walk: lets events run when the interval is over.
    void step();

private:
    int intervalMs_;
    qint64 lastRun_ = -1;
    unsigned steps_ = 0;
};

} // namespace XQTestDev
