#include "frame/Clock.h"

#include "frame/EventPause.h"
#include "frame/Unattended.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace XQTestDev {

namespace {

// Long waits still wake this often, so that the end is never overslept.
constexpr double LongestNap = 20.0;

// Never destroyed: timers of windows that live until the process ends are
// destroyed after every static object.
std::vector<ClockTimer*>& everyTimer() {
    static auto* timers = new std::vector<ClockTimer*>;
    return *timers;
}

} // namespace

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    qint64 tickCount() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

    void letTimePass(double milliseconds) override {
        if (!(milliseconds >= 0.0))
            return;
        const double end = static_cast<double>(tickCount()) + milliseconds;
        // Waiting for the next event rather than spinning keeps the processor
        // free for the rest of the station; the alarm ends each nap in time.
        QTimer alarm;
        alarm.setSingleShot(true);
        alarm.setTimerType(Qt::PreciseTimer);
        armInterruptions();
        while (static_cast<double>(tickCount()) <= end && !waitsInterrupted()) {
            const double left = end - static_cast<double>(tickCount());
            const int nap = static_cast<int>(std::clamp(std::ceil(left), 1.0, LongestNap));
            if (!QCoreApplication::instance()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(nap));
                continue;
            }
            alarm.start(nap);
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        }
    }

protected:
    void timerStarted(ClockTimer& timer) override { timer.systemTimer_.start(timer.interval()); }
    void timerStopped(ClockTimer& timer) override { timer.systemTimer_.stop(); }
};

namespace {

SystemClock& systemClock() {
    static auto* clock = new SystemClock;
    return *clock;
}

Clock*& clockInForce() {
    static Clock* clock = &systemClock();
    return clock;
}

} // namespace

void putInForce(Clock& clock) {
    clockInForce() = &clock;
    // A copy: moving a timer does not change the list, but a tick may.
    const std::vector<ClockTimer*> timers = everyTimer();
    for (ClockTimer* timer : timers)
        timer->moveTo(clock);
}

Clock& libraryClock() {
    return *clockInForce();
}

// ---- ClockTimer ------------------------------------------------------------

ClockTimer::ClockTimer(const QString& name, int intervalMs, QObject* parent)
    : QObject(parent), interval_(intervalMs) {
    setObjectName(name);
    connect(&systemTimer_, &QTimer::timeout, this, &ClockTimer::fire);
    everyTimer().push_back(this);
}

ClockTimer::~ClockTimer() {
    stop();
    std::vector<ClockTimer*>& timers = everyTimer();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void ClockTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (active_)
        start();
}

void ClockTimer::start() {
    stop();
    clock_ = &libraryClock();
    dueTick_ = clock_->tickCount() + interval_;
    active_ = true;
    clock_->timerStarted(*this);
}

void ClockTimer::start(int milliseconds) {
    interval_ = milliseconds;
    start();
}

void ClockTimer::stop() {
    if (!active_)
        return;
    active_ = false;
    clock_->timerStopped(*this);
}

void ClockTimer::fire() {
    emit timeout();
}

void ClockTimer::moveTo(Clock& clock) {
    if (active_ && clock_ != &clock)
        start();
}

// ---- ManualClock -----------------------------------------------------------

ManualClock::ManualClock(const QDateTime& start) : start_(start) {
    putInForce(*this);
}

ManualClock::~ManualClock() {
    putInForce(systemClock());
}

QDateTime ManualClock::now() const {
    return start_.addMSecs(tick_);
}

void ManualClock::letTimePass(double milliseconds) {
    if (!(milliseconds >= 0.0))
        return;
    advance(static_cast<qint64>(std::floor(milliseconds)) + 1);
}

void ManualClock::advance(qint64 milliseconds) {
    const qint64 until = tick_ + std::max<qint64>(0, milliseconds);
    while (ClockTimer* timer = nextDue(until)) {
        tick_ = std::max(tick_, timer->dueTick_);
        timer->dueTick_ += std::max(1, timer->interval());
        timer->fire();
        letPendingEventsRun();
    }
    tick_ = std::max(tick_, until);
    letPendingEventsRun();
}

ClockTimer* ManualClock::nextDue(qint64 until) const {
    ClockTimer* next = nullptr;
    for (ClockTimer* timer : running_) {
        if (timer->dueTick_ <= until && (!next || timer->dueTick_ < next->dueTick_))
            next = timer;
    }
    return next;
}

void ManualClock::timerStarted(ClockTimer& timer) {
    running_.push_back(&timer);
}

void ManualClock::timerStopped(ClockTimer& timer) {
    running_.remove(&timer);
}

} // namespace XQTestDev
