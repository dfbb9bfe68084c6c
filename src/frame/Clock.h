#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <list>

namespace XQTestDev {

class Clock;
class ClockTimer;

// Puts a clock in force and moves the running timers onto it.
void putInForce(Clock& clock);

// Where the library reads the time and what drives its timers. The system
// clock follows the machine; a test installs a ManualClock and moves time on
// by hand, so that it can show that a timer did nothing without waiting.
class Clock {
public:
    virtual ~Clock() = default;

    // The date and time of day.
    virtual QDateTime now() const = 0;
    // A millisecond count that only moves forward.
    virtual qint64 tickCount() const = 0;
    // Lets the given time pass while timers and windows keep running. A
    // negative time (or no number) returns at once; 0 returns as soon as the
    // tick count has moved on.
    virtual void letTimePass(double milliseconds) = 0;

protected:
    friend class ClockTimer;
    // A timer of the library started (due at `dueTick`) or stopped.
    virtual void timerStarted(ClockTimer& timer) = 0;
    virtual void timerStopped(ClockTimer& timer) = 0;
};

// The clock in force: the system clock unless a test installed another.
Clock& libraryClock();

// A repeating timer of the library, driven by the clock in force, with the
// part of QTimer that the library uses. Its object name is the timer's name
// in the window it belongs to (`tmrTime`, `tmrBlink`...).
class ClockTimer : public QObject {
    Q_OBJECT

public:
    ClockTimer(const QString& name, int intervalMs, QObject* parent);
    ~ClockTimer() override;

    void setInterval(int milliseconds);
    int interval() const { return interval_; }
    void start();
    void start(int milliseconds);
    void stop();
    bool isActive() const { return active_; }

    // When the next tick is due on the clock's tick count.
    qint64 dueTick() const { return dueTick_; }

signals:
    void timeout();

private:
    friend class SystemClock;
    friend class ManualClock;
    friend void putInForce(Clock& clock);
    void fire();
    void moveTo(Clock& clock);

    QTimer systemTimer_; // runs only under the system clock
    Clock* clock_ = nullptr;
    int interval_ = 0;
    qint64 dueTick_ = 0;
    bool active_ = false;
};

// A clock that stands still until a test moves it: advance() fires every
// timer that falls due on the way, in order, letting pending events run after
// each tick. Creating one puts it in force, with the timers already running
// moved onto it; destroying it gives the system clock back.
class ManualClock : public Clock {
public:
    explicit ManualClock(const QDateTime& start = QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
    ~ManualClock() override;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    QDateTime now() const override;
    qint64 tickCount() const override { return tick_; }
    void letTimePass(double milliseconds) override;

    void advance(qint64 milliseconds);

protected:
    void timerStarted(ClockTimer& timer) override;
    void timerStopped(ClockTimer& timer) override;

private:
    ClockTimer* nextDue(qint64 until) const;

    QDateTime start_;
    qint64 tick_ = 1;
    std::list<ClockTimer*> running_;
};

} // namespace XQTestDev
