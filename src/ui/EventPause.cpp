#include "ui/EventPause.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace XQTestDev {

namespace {

// Long waits still wake this often, so that the end is never overslept.
constexpr double LongestNap = 20.0;

} // namespace

qint64 tickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void letPendingEventsRun() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void letEventsRunFor(double seconds) {
    if (!(seconds >= 0.0))
        return;
    const double end = static_cast<double>(tickCount()) + seconds * 1000.0;
    // Waiting for the next event rather than spinning keeps the processor free
    // for the rest of the station; the alarm ends each nap in time.
    QTimer alarm;
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    while (static_cast<double>(tickCount()) <= end) {
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

} // namespace XQTestDev
