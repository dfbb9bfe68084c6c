#include "frame/EventPause.h"

#include "frame/Clock.h"

#include <QCoreApplication>

namespace XQTestDev {

qint64 tickCount() {
    return libraryClock().tickCount();
}

void letPendingEventsRun() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void letEventsRunFor(double seconds) {
    libraryClock().letTimePass(seconds * 1000.0);
}

void ThrottledEventPump::runNow() {
    letPendingEventsRun();
    lastRun_ = tickCount();
}

void ThrottledEventPump::step() {
    if ((++steps_ & 31) != 0 || (lastRun_ >= 0 && tickCount() - lastRun_ < intervalMs_))
        return;
    runNow();
}

} // namespace XQTestDev
