#include "run/VerdictClock.h"

#include "run/OverallVerdict.h"

namespace XQTestDev {

VerdictClock::VerdictClock(std::function<bool()> runActive, QObject* parent)
    : QObject(parent), runActive_(std::move(runActive)) {
    timer_.setInterval(IntervalMs);
    connect(&timer_, &QTimer::timeout, this, &VerdictClock::tick);
}

void VerdictClock::start() {
    timer_.start();
}
void VerdictClock::stop() {
    timer_.stop();
}

// A failed write of OverallPassFail is not shown: the next tick writes again,
// and a message every 400 ms would bury the operator.
void VerdictClock::tick() {
    refreshOverallVerdict(runActive_ && runActive_());
}

} // namespace XQTestDev
