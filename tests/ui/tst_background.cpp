#include "SharedWindowsFixture.h"
#include "frame/Clock.h"

#include "frame/LibraryState.h"
#include "support/ModalDriver.h"
#include "ui/Background.h"
#include "ui/BackgroundWindow.h"

#include <XQTestDev/XQUtility32.h>

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class BackgroundTest : public SharedWindowsTest {
protected:
    XQUtility32 utility;
};

TEST_F(BackgroundTest, ShowBackgroundCoversTheScreenInTheBackgroundColour) {
    utility.setBackgroundColor(0x00FF8000); // 0x00BBGGRR: blue ff, green 80, red 00
    EXPECT_EQ(utility.BackgroundColor(), 0x00FF8000);
    XQUtility32 other;
    EXPECT_EQ(other.BackgroundColor(), 0x00FF8000); // one colour for the library

    utility.ShowBackground();
    BackgroundWindow* window = loadedBackground();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("frmDummy"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(library().backgroundShown);
    EXPECT_EQ(window->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0x00, 0x80, 0xFF));
    auto* timer = window->findChild<ClockTimer*>(QStringLiteral("tmrSendToBack"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 150);
}

TEST_F(BackgroundTest, HideBackgroundUnloadsItAndShowingAgainMeasuresTheScreen) {
    utility.ShowBackground();
    QPointer<BackgroundWindow> first = loadedBackground();
    utility.HideBackground();
    EXPECT_FALSE(library().backgroundShown);
    EXPECT_EQ(loadedBackground(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 2000));

    library().screenWidth = 0;
    library().screenHeight = 0;
    utility.ShowBackground();
    EXPECT_EQ(library().screenWidth, 12000);
    EXPECT_EQ(library().screenHeight, 9000);
}

TEST_F(BackgroundTest, ItsMenuHidesIt) {
    utility.ShowBackground();
    BackgroundWindow* window = loadedBackground();
    QStringList items;
    whenPopupShows(QStringLiteral("mnuHideBackground"), [&](QMenu* menu) {
        for (QAction* action : menu->actions())
            items << action->text();
    });
    QTest::mousePress(window, Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("Hide Background"), QStringLiteral("Send to Back")}));
    EXPECT_FALSE(library().backgroundShown);
    EXPECT_EQ(loadedBackground(), nullptr);
    EXPECT_FALSE(library().onTopSuspended);
}

TEST_F(BackgroundTest, SendToBackSendsItBehindAtOnce) {
    utility.ShowBackground();
    BackgroundWindow* window = loadedBackground();
    window->findChild<ClockTimer*>(QStringLiteral("tmrSendToBack"))->stop();
    StackingCounter lowered(window);
    whenPopupShows(QStringLiteral("mnuSendToBack"));
    QTest::mousePress(window, Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_EQ(lowered.count, 1);
    EXPECT_TRUE(library().backgroundShown);
}

// Records, in order, when the background was shown and when it changed its
// place in the stacking order.
class StackingLog : public QObject {
public:
    QStringList events;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched->objectName() == QStringLiteral("frmDummy")) {
            if (event->type() == QEvent::Show)
                events << QStringLiteral("shown");
            else if (event->type() == QEvent::ZOrderChange)
                events << QStringLiteral("stacked");
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(BackgroundTest, ItGoesBehindTheOtherWindowsTheMomentItShows) {
    StackingLog log;
    qApp->installEventFilter(&log);
    // Even while on-top is suspended, and before any event (or timer) runs.
    library().onTopSuspended = true;
    utility.ShowBackground();
    qApp->removeEventFilter(&log);
    ASSERT_GE(log.events.size(), 2);
    EXPECT_EQ(log.events.first(), QStringLiteral("shown"));
    EXPECT_EQ(log.events.mid(log.events.indexOf(QStringLiteral("shown")))
                  .count(QStringLiteral("stacked")),
              1);
}

TEST_F(BackgroundTest, ItIsSentToTheBackOnlyWhileOnTopIsNotSuspended) {
    utility.ShowBackground();
    StackingCounter lowered(loadedBackground());
    ManualClock clock;
    library().onTopSuspended = true;
    clock.advance(500);
    EXPECT_EQ(lowered.count, 0);
    library().onTopSuspended = false;
    clock.advance(300);
    EXPECT_GE(lowered.count, 2);
}

} // namespace
