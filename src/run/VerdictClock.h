#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace XQTestDev {

// Recomputes the overall verdict from the group windows every 400 ms while the
// menu is shown, so that OverallPassFail and the results file follow every
// result, and "TESTING" values blink during a run. Whoever ticks the header's
// clock either keeps this clock or takes its one call over; the verdict must
// be refreshed by exactly one timer, or the blinking cancels itself out.
class VerdictClock : public QObject {
    Q_OBJECT

public:
    static constexpr int IntervalMs = 400;

    // `runActive` tells whether a run is active (the start buttons disabled).
    explicit VerdictClock(std::function<bool()> runActive, QObject* parent = nullptr);

    void start();
    void stop();
    bool isActive() const { return timer_.isActive(); }

    // One tick, also for callers that cannot wait for the timer.
    void tick();

private:
    std::function<bool()> runActive_;
    QTimer timer_;
};

} // namespace XQTestDev
