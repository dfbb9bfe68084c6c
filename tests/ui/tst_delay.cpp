#include "SharedWindowsFixture.h"

#include "frame/EventPause.h"

#include <XQTestDev/XQUtility32.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class DelayTest : public SharedWindowsTest {
protected:
    XQUtility32 utility;
};

TEST_F(DelayTest, HalfASecondLastsAtLeast500MsWhileTimersAndClicksAreHandled) {
    int ticks = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    QPushButton button;
    button.show();
    bool clicked = false;
    QObject::connect(&button, &QPushButton::clicked, [&] { clicked = true; });
    QTimer::singleShot(100, &button, [&] { button.click(); });

    QElapsedTimer clock;
    clock.start();
    utility.Delay(0.5);
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(clicked);
}

TEST_F(DelayTest, ZeroReturnsOnceTheTickCountHasMovedOn) {
    const qint64 before = tickCount();
    utility.Delay(0);
    EXPECT_GT(tickCount(), before);
}

TEST_F(DelayTest, NegativeOrNoNumberReturnsAtOnce) {
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    utility.Delay(-1);
    utility.Delay(std::numeric_limits<double>::quiet_NaN());
    // Nothing ran: the call returned without letting events run.
    EXPECT_FALSE(fired);
}

} // namespace
