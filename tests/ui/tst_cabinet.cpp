#include "SharedWindowsFixture.h"

#include "frame/Clock.h"
#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "support/ModalDriver.h"
#include "ui/Cabinet.h"
#include "ui/CabinetWindow.h"
#include "ui/WindowHandle.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

// Keeps every size a window is given while it is shown.
class SizeRecorder : public QObject {
public:
    explicit SizeRecorder(QWidget* window) : QObject(window) { window->installEventFilter(this); }
    std::vector<QSize> sizes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            sizes.push_back(static_cast<QResizeEvent*>(event)->size());
        return QObject::eventFilter(watched, event);
    }
};

// Remembers how the last close reached the window.
class CloseWatcher : public QWidget {
public:
    int closes = 0;
    bool lastSpontaneous = true;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        lastSpontaneous = event->spontaneous();
        QWidget::closeEvent(event);
    }
};

std::unique_ptr<QWidget> shownWindow(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
    auto window = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    moveWindowTwips(*window, leftTwips, topTwips);
    resizeWindowTwips(*window, widthTwips, heightTwips);
    window->show();
    return window;
}

QLabel* cabinetLogo() {
    return cabinet().window().findChild<QLabel*>(QStringLiteral("imgLogo"));
}

void rightClickCabinet() {
    QTest::mousePress(cabinetLogo(), Qt::RightButton, {}, QPoint(5, 5));
}

class CabinetTest : public SharedWindowsTest {};

TEST_F(CabinetTest, PuttingAWindowAwayShrinksItToItsCentreAndListsIt) {
    // 3000 x 2010 twips is 200 x 134 pixels: steps of 100 and 67 twips.
    auto window = shownWindow(1500, 1200, 3000, 2010);
    SizeRecorder sizes(window.get());

    cabinet().collapse(*window, QStringLiteral("DMM 34401A"));

    ASSERT_GE(sizes.sizes.size(), 30u);
    for (int i = 1; i <= 30; ++i) {
        const QSize expected(toPixelsX(std::max(0, 3000 - 100 * i)),
                             toPixelsY(std::max(0, 2010 - 67 * i)));
        EXPECT_EQ(sizes.sizes[static_cast<size_t>(i - 1)], expected) << "step " << i;
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(0, 0));

    QAction* item = cabinet().window().shelfItem(0);
    EXPECT_TRUE(item->isVisible());
    EXPECT_EQ(item->text(), QStringLiteral("DMM 34401A"));
    EXPECT_EQ(item->data().toString(), QString::number(windowHandle(*window)));
    EXPECT_FALSE(cabinet().window().shelfItem(1)->isVisible());
    const Shelf& shelf = cabinet().shelves().at(0);
    EXPECT_EQ(shelf.saved.width, 3000);
    EXPECT_EQ(shelf.saved.height, 2010);
    EXPECT_EQ(shelf.saved.left, 1500);
    EXPECT_EQ(shelf.saved.top, 1200);
}

TEST_F(CabinetTest, TheThirtyFirstWindowIsNotListedAndStaysHidden) {
    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < 31; ++i) {
        windows.push_back(shownWindow(300 * i, 300, 900, 600));
        cabinet().collapse(*windows.back(), QStringLiteral("Panel %1").arg(i));
    }
    for (int i = 0; i < 30; ++i) {
        QAction* item = cabinet().window().shelfItem(i);
        EXPECT_TRUE(item->isVisible()) << i;
        EXPECT_EQ(item->text(), QStringLiteral("Panel %1").arg(i));
    }
    EXPECT_FALSE(cabinet().shelves().listedCaptions().contains(QStringLiteral("Panel 30")));
    EXPECT_FALSE(windows.back()->isVisible());
    EXPECT_FALSE(cabinet().isPutAway(*windows.back()));
    EXPECT_FALSE(cabinet().restoreByHandle(windowHandle(*windows.back())));
    EXPECT_FALSE(windows.back()->isVisible());
}

TEST_F(CabinetTest, AWindowWithoutCaptionIsListedUnderItsHandleNumber) {
    auto first = shownWindow(0, 0, 1500, 900);
    auto second = shownWindow(0, 0, 1500, 900);
    cabinet().collapse(*first);
    cabinet().collapse(*second, QString());
    const QString firstHandle = QString::number(windowHandle(*first));
    const QString secondHandle = QString::number(windowHandle(*second));
    EXPECT_NE(firstHandle, secondHandle);
    EXPECT_EQ(cabinet().window().shelfItem(0)->text(), firstHandle);
    EXPECT_EQ(cabinet().window().shelfItem(1)->text(), secondHandle);
    EXPECT_EQ(cabinet().window().shelfItem(1)->data().toString(), secondHandle);
}

TEST_F(CabinetTest, ChoosingAShelfInTheMenuBringsTheWindowBackWhereItWas) {
    auto window = shownWindow(1500, 1200, 3000, 2010);
    const QRect before = window->geometry();
    cabinet().showCabinet();
    cabinet().collapse(*window, QStringLiteral("Status Panal"));
    ASSERT_FALSE(window->isVisible());

    bool suspendedWhileOpen = false;
    QStringList shown;
    whenPopupShows(QStringLiteral("mnuShelf_0"), [&](QMenu* menu) {
        suspendedWhileOpen = library().onTopSuspended;
        for (QAction* action : menu->actions()) {
            if (action->isVisible())
                shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    });
    rightClickCabinet();

    EXPECT_TRUE(suspendedWhileOpen);
    EXPECT_FALSE(library().onTopSuspended);
    // Shelves first, then the cabinet's own items in their order.
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Status Panal"), QStringLiteral("-"),
                                  QStringLiteral("Hide Cabinet"), QStringLiteral("Show Background"),
                                  QStringLiteral("-"), QStringLiteral("Disable Always on Top")}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), before);
    EXPECT_FALSE(cabinet().window().shelfItem(0)->isVisible());
    EXPECT_FALSE(cabinet().isPutAway(*window));
    EXPECT_EQ(cabinet().shelves().firstFree(), 0);
}

TEST_F(CabinetTest, RestoreByHandleChoosesTheShelfListingThatHandle) {
    auto first = shownWindow(0, 0, 1500, 900);
    auto second = shownWindow(4500, 3000, 2400, 1200);
    const QRect secondBefore = second->geometry();
    cabinet().collapse(*first, QStringLiteral("first"));
    cabinet().collapse(*second, QStringLiteral("second"));

    EXPECT_TRUE(cabinet().restoreByHandle(windowHandle(*second)));
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->geometry(), secondBefore);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(cabinet().isPutAway(*first));
    EXPECT_FALSE(cabinet().isPutAway(*second));
    // Once out of the cabinet, the handle lists nothing any more.
    EXPECT_FALSE(cabinet().restoreByHandle(windowHandle(*second)));
}

TEST_F(CabinetTest, AWindowPutAwayWithoutSizeAsksForTheMenuInsteadOfGrowing) {
    auto window = shownWindow(0, 0, 1500, 900);
    window->hide();
    QSignalSpy asked(&cabinet(), &Cabinet::menuShowRequested);
    cabinet().addToCabinet(*window, QStringLiteral("Test Menu"));
    EXPECT_EQ(cabinet().window().shelfItem(0)->text(), QStringLiteral("Test Menu"));
    EXPECT_EQ(asked.size(), 0);

    cabinet().chooseShelf(0);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.front().at(0).value<QWidget*>(), window.get());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(cabinet().window().shelfItem(0)->isVisible());
}

TEST_F(CabinetTest, AWindowClosedWhileOnItsShelfFreesTheShelfWhenChosen) {
    auto window = shownWindow(0, 0, 1500, 900);
    cabinet().collapse(*window, QStringLiteral("gone"));
    window.reset();
    cabinet().chooseShelf(0);
    EXPECT_FALSE(cabinet().window().shelfItem(0)->isVisible());
    EXPECT_EQ(cabinet().shelves().firstFree(), 0);
}

TEST_F(CabinetTest, AWindowDeletedDuringItsAnimationIsLeftAlone) {
    auto* window = shownWindow(0, 0, 3000, 2010).release();
    QTimer::singleShot(0, window, [window] { delete window; });
    cabinet().collapse(*window, QStringLiteral("deleted"));
    EXPECT_EQ(cabinet().shelves().firstFree(), 0);
    EXPECT_FALSE(cabinet().window().shelfItem(0)->isVisible());
}

TEST_F(CabinetTest, CollapseAndUnloadClosesTheWindowAsCodeDoesAndKeepsItOffTheShelves) {
    CloseWatcher window;
    window.resize(120, 60);
    window.show();
    cabinet().collapse(window, QStringLiteral("closing"), true);
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(window.lastSpontaneous);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(cabinet().window().shelfItem(0)->isVisible());

    CloseWatcher kept;
    kept.resize(120, 60);
    kept.show();
    cabinet().collapse(kept, QStringLiteral("kept"), false, true);
    EXPECT_EQ(kept.closes, 0);
    EXPECT_FALSE(kept.isVisible());
    EXPECT_FALSE(cabinet().window().shelfItem(0)->isVisible());
}

TEST_F(CabinetTest, WithNoSavedPlaceTheCabinetOpensAtTop4890Left12465) {
    cabinet().showCabinet();
    CabinetWindow& window = cabinet().window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(windowPositionTwips(window), QPoint(12465, 4890));
    EXPECT_EQ(window.size(), QSize(toPixelsX(787), toPixelsY(535)));
    EXPECT_TRUE(window.keepsInFront());
}

TEST_F(CabinetTest, TheTestMenuObjectShowsAndHidesTheSharedCabinet) {
    XQMenu32 menu;
    menu.ShowCabinet();
    EXPECT_TRUE(cabinet().window().isVisible());
    EXPECT_EQ(windowPositionTwips(cabinet().window()), QPoint(12465, 4890));
    menu.HideCabinet();
    EXPECT_FALSE(cabinet().window().isVisible());
    EXPECT_FALSE(cabinet().window().keepsInFront());
}

TEST_F(CabinetTest, ASavedPlaceIsWhereTheCabinetOpens) {
    {
        QSettings store(QStringLiteral("Orvanta"), QStringLiteral("XQTestDev"));
        store.setValue(QStringLiteral("SaveConfig/CabinetLocX"), QStringLiteral("3000"));
        store.setValue(QStringLiteral("SaveConfig/CabinetLocY"), QStringLiteral("1500"));
    }
    cabinet().showCabinet();
    EXPECT_EQ(windowPositionTwips(cabinet().window()), QPoint(3000, 1500));
}

TEST_F(CabinetTest, DraggingTheCabinetMovesItAndSavesItsPlaceOnRelease) {
    cabinet().showCabinet();
    CabinetWindow& window = cabinet().window();
    const QPoint start = window.pos();
    QLabel* logo = cabinetLogo();
    QTest::mousePress(logo, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(logo, QPoint(25, 15));
    EXPECT_EQ(window.pos(), start + QPoint(20, 10));
    QTest::mouseRelease(logo, Qt::LeftButton, {}, QPoint(25, 15));

    const QSettings store(QStringLiteral("Orvanta"), QStringLiteral("XQTestDev"));
    EXPECT_EQ(store.value(QStringLiteral("SaveConfig/CabinetLocX")).toString(),
              QString::number(toTwipsX(start.x() + 20)));
    EXPECT_EQ(store.value(QStringLiteral("SaveConfig/CabinetLocY")).toString(),
              QString::number(toTwipsY(start.y() + 10)));

    // The next time it opens there.
    cabinet().hideCabinet();
    cabinet().showCabinet();
    EXPECT_EQ(window.pos(), start + QPoint(20, 10));
}

TEST_F(CabinetTest, AlwaysOnTopSwitchesTheSuspendedFlagAndItsCaption) {
    cabinet().showCabinet();
    QAction* item = cabinet().window().findChild<QAction*>(QStringLiteral("mnuAlwaysOnTop"));
    ASSERT_NE(item, nullptr);

    whenPopupShows(QStringLiteral("mnuAlwaysOnTop"));
    rightClickCabinet();
    EXPECT_TRUE(library().onTopSuspended); // the choice outlasts the menu
    EXPECT_EQ(item->text(), QStringLiteral("Enable Always on Top"));

    // A menu closed without a choice leaves the chosen value.
    whenPopupShows(QString());
    rightClickCabinet();
    EXPECT_TRUE(library().onTopSuspended);

    whenPopupShows(QStringLiteral("mnuAlwaysOnTop"));
    rightClickCabinet();
    EXPECT_FALSE(library().onTopSuspended);
    EXPECT_EQ(item->text(), QStringLiteral("Disable Always on Top"));
}

TEST_F(CabinetTest, WhileOnTopIsSuspendedTheCabinetIsNotBroughtToTheFront) {
    cabinet().showCabinet();
    StackingCounter raised(&cabinet().window());
    ManualClock clock;
    library().onTopSuspended = true;
    clock.advance(600);
    EXPECT_EQ(raised.count, 0);
    library().onTopSuspended = false;
    clock.advance(250);
    EXPECT_GT(raised.count, 0);
}

TEST_F(CabinetTest, HideCabinetShrinksItAwayAndStopsItsTimer) {
    cabinet().showCabinet();
    whenPopupShows(QStringLiteral("mnuHideCabinet"));
    rightClickCabinet();
    EXPECT_FALSE(cabinet().window().isVisible());
    EXPECT_FALSE(cabinet().window().keepsInFront());
    EXPECT_EQ(cabinet().shelves().firstFree(), 0); // not on a shelf of its own
}

TEST_F(CabinetTest, TheBackgroundItemShowsAndHidesTheBackground) {
    cabinet().showCabinet();
    library().backgroundColor = 0x00FF0000; // blue
    whenPopupShows(QStringLiteral("mnuBackground"), [](QMenu* menu) {
        EXPECT_EQ(menu->findChild<QAction*>(QStringLiteral("mnuBackground"))->text(),
                  QStringLiteral("Show Background"));
    });
    rightClickCabinet();
    EXPECT_TRUE(library().backgroundShown);
    QWidget* background = waitForTopLevel(QStringLiteral("frmDummy"));
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->palette().color(QPalette::Window), QColor(0, 0, 255));

    whenPopupShows(QStringLiteral("mnuBackground"), [](QMenu* menu) {
        EXPECT_EQ(menu->findChild<QAction*>(QStringLiteral("mnuBackground"))->text(),
                  QStringLiteral("Hide Background"));
    });
    rightClickCabinet();
    EXPECT_FALSE(library().backgroundShown);
    EXPECT_FALSE(background->isVisible());
}

TEST_F(CabinetTest, PuttingAWindowAwayWhileTheCabinetShowsGrowsTheCabinetAgainInPlace) {
    cabinet().showCabinet();
    CabinetWindow& shown = cabinet().window();
    const QRect before = shown.geometry();
    SizeRecorder sizes(&shown);
    auto window = shownWindow(0, 0, 1500, 900);
    cabinet().collapse(*window, QStringLiteral("panel"));
    EXPECT_GE(sizes.sizes.size(), 30u);
    EXPECT_EQ(sizes.sizes.front(), QSize(0, 0));
    EXPECT_EQ(shown.geometry(), before);
    EXPECT_TRUE(shown.keepsInFront());
}

TEST_F(CabinetTest, AFixedSizeWindowShrinksAndComesBackWithItsLimits) {
    auto window = shownWindow(0, 0, 1500, 900);
    window->setFixedSize(window->size());
    const QSize design = window->size();
    cabinet().collapse(*window, QStringLiteral("fixed"));
    EXPECT_EQ(window->size(), QSize(0, 0));
    cabinet().chooseShelf(0);
    EXPECT_EQ(window->size(), design);
    EXPECT_EQ(window->minimumSize(), design);
}

} // namespace
