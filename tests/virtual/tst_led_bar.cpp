#include "LedBarFixture.h"

#include "frame/LibraryState.h"
#include "ui/Cabinet.h"
#include "ui/FailMark.h"
#include "ui/Pictures.h"

#include <QMenu>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

constexpr int Green = 65280;
constexpr int Red = 255;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

class LedBarDefaultsTest : public VirtualTest {};

TEST_F(LedBarDefaultsTest, AFreshBarHasItsDefaultsAndCannotBeShown) {
    XQLEDBar32 fresh;
    EXPECT_EQ(fresh.DigitColorPass(), Green);
    EXPECT_EQ(fresh.DigitColorFail(), Red);
    EXPECT_EQ(fresh.Position(), 0);
    EXPECT_FALSE(fresh.Top().isValid());
    EXPECT_EQ(fresh.DecimalPoint(), 0);
    EXPECT_TRUE(fresh.Suffix().isEmpty());
    EXPECT_TRUE(fresh.AlwaysOnTop());
    for (double value : {fresh.Min(), fresh.Max(), fresh.ScaleMin(), fresh.ScaleMax(),
                         fresh.PreciseStep(), fresh.Value()})
        EXPECT_EQ(value, 0);
    EXPECT_FALSE(fresh.IsPassed());
    EXPECT_EQ(fresh.Width(), 5100);
    EXPECT_EQ(fresh.Height(), 1290);

    fresh.Show();
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("Scale Min value must less than Scale Max value!")});
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
    EXPECT_FALSE(topLevel(QStringLiteral("frmLEDBarHor"))->isVisible());
}

TEST_F(LedBarTest, TheWindowHoldsEveryNamedControl) {
    ASSERT_NE(window(), nullptr);
    EXPECT_FALSE(window()->isVisible());
    for (int index = 0; index < 40; ++index) {
        EXPECT_NE(picture(QStringLiteral("imgLEDOn_%1").arg(index)), nullptr) << index;
        EXPECT_NE(picture(QStringLiteral("imgLEDOff_%1").arg(index)), nullptr) << index;
    }
    for (const char* name : {"lblValue", "imgScrollLeft", "imgScrollLeft1", "imgScrollLeft2",
                             "imgScrollRight", "imgScrollRight1", "imgScrollRight2", "imgScroll",
                             "imgScroll1", "imgScroll2", "imgGotFocus", "imgLostFocus"})
        EXPECT_NE(picture(QLatin1String(name)), nullptr) << name;
    EXPECT_NE(control(window(), QStringLiteral("shpMainFrame")), nullptr);
    auto* menu = control<QMenu>(window(), QStringLiteral("mnuXQLEDBarHor"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Hide"));
    EXPECT_EQ(menu->actions().front()->objectName(), QStringLiteral("mnuHide"));
    EXPECT_EQ(readout()->font().families().value(0), QStringLiteral("Arial"));
}

TEST_F(LedBarTest, TheLedsSitOnTheirTwipsAndComeInFourBands) {
    const char* bands[] = {"LEDGREENVER", "LEDYELLOWVER", "LEDMAGENTAVER", "LEDREDVER"};
    const QImage unlit = libraryPicture(QStringLiteral("LEDGRAYVER")).toImage();
    for (int index = 0; index < 40; ++index) {
        QLabel* on = picture(QStringLiteral("imgLEDOn_%1").arg(index));
        QLabel* off = picture(QStringLiteral("imgLEDOff_%1").arg(index));
        EXPECT_EQ(on->geometry(), QRect((120 + 120 * index) / 15, off->y(), 9, 19)) << index;
        EXPECT_EQ(off->geometry(), on->geometry());
        EXPECT_EQ(on->pixmap().toImage(),
                  libraryPicture(QLatin1String(bands[index / 10])).toImage())
            << index;
        EXPECT_EQ(off->pixmap().toImage(), unlit);
    }
}

struct RefusalCase {
    double scaleMin, scaleMax, min, max;
    const char* message;
};

class LedBarRefusalTest : public LedBarTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(LedBarRefusalTest, ShowRefusesWithTheMessageAndChangesNothing) {
    const RefusalCase& c = GetParam();
    bar->setScaleMin(c.scaleMin);
    bar->setScaleMax(c.scaleMax);
    bar->setMin(c.min);
    bar->setMax(c.max);
    bar->Show();
    EXPECT_EQ(recorder->texts(), QStringList{QString::fromLatin1(c.message)});
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(changes->size(), 0);
    EXPECT_TRUE(std::isnan(c.scaleMin) ? std::isnan(bar->ScaleMin())
                                       : bar->ScaleMin() == c.scaleMin);
    EXPECT_EQ(bar->Max(), c.max);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, LedBarRefusalTest,
    ::testing::Values(
        RefusalCase{40, 40, 10, 30, "Scale Min value must less than Scale Max value!"},
        RefusalCase{40, 0, 10, 30, "Scale Min value must less than Scale Max value!"},
        RefusalCase{NaN, 40, 10, 30, "Scale Min value must less than Scale Max value!"},
        RefusalCase{-Inf, Inf, 10, 30, "Scale Min value must less than Scale Max value!"},
        RefusalCase{0, 40, 30, 30, "Min value must less than Max value!"},
        RefusalCase{0, 40, -1, 30, "Min value must less than both Scale Min and Scale Max!"},
        RefusalCase{0, 40, 10, 41,
                    "Max value must greater than Scale Min and less than Scale Max!"},
        RefusalCase{0, 40, 10, Inf,
                    "Max value must greater than Scale Min and less than Scale Max!"}));

struct LitCase {
    double sent;
    int lit;
    const char* shown;
};

class LedBarLightTest : public LedBarTest, public ::testing::WithParamInterface<LitCase> {};

TEST_P(LedBarLightTest, LightsTheLedsAndMovesTheKnob) {
    bar->Show();
    bar->SendValue(GetParam().sent);
    EXPECT_EQ(litLeds(), GetParam().lit);
    const int knobTwips = GetParam().lit >= 2 ? 120 + 120 * (GetParam().lit - 2) + 60 : 60;
    EXPECT_EQ(knobLeftPixels(), knobTwips / 15);
    // A value out of the band carries the fail mark; one beyond the scale
    // still reads as sent.
    const QString shown = QString::fromLatin1(GetParam().shown);
    EXPECT_EQ(readout()->text(), shown);
    EXPECT_EQ(failMarkShown(window()), !bar->IsPassed());
    EXPECT_EQ(bar->IsPassed(), GetParam().sent >= 10 && GetParam().sent <= 30);
}

INSTANTIATE_TEST_SUITE_P(Values, LedBarLightTest,
                         ::testing::Values(LitCase{12.5, 12, "13"}, LitCase{40, 40, "40"},
                                           LitCase{0.5, 0, "1"}, LitCase{2, 2, "2"},
                                           LitCase{-7, 0, "-7"}, LitCase{Inf, 40, "Infinity"},
                                           LitCase{50, 40, "50"}));

// The bar stops at its end, but what is read and reported is the value sent.
TEST_F(LedBarTest, AValueAboveTheScaleShowsTheTopAndFailsAboveMax) {
    bar->Show();
    bar->SendValue(50);
    EXPECT_EQ(litLeds(), 40);
    EXPECT_EQ(readout()->text(), QStringLiteral("50"));
    EXPECT_EQ(bar->Value(), 50);
    EXPECT_FALSE(bar->IsPassed());
    EXPECT_EQ(textColourOf(readout()), Red);
}

TEST_F(LedBarTest, BothEndsOfThePassBandPass) {
    bar->setMax(20);
    bar->Show();
    for (double value : {10.0, 20.0}) {
        bar->SendValue(value);
        EXPECT_TRUE(bar->IsPassed()) << value;
        EXPECT_EQ(textColourOf(readout()), Green) << value;
    }
    bar->SendValue(20.5);
    EXPECT_EQ(textColourOf(readout()), Red);
    EXPECT_FALSE(changes->back().at(1).toBool());
}

TEST_F(LedBarTest, TheSameValueIsReportedOnce) {
    bar->Show();
    changes->clear();
    bar->SendValue(17);
    bar->SendValue(17);
    bar->SendValue(17.5);
    EXPECT_EQ(reportedValues(), (std::vector<double>{17, 17.5}));
    EXPECT_EQ(bar->Value(), 17.5);
    EXPECT_TRUE(bar->IsPassed());
}

TEST_F(LedBarTest, DecimalsAndSuffixShapeTheReadout) {
    bar->setScaleMax(2000);
    bar->setMax(1500);
    bar->setDecimalPoint(2);
    bar->setSuffix(QStringLiteral("mV"));
    bar->Show();
    bar->SendValue(1234.567);
    EXPECT_EQ(readout()->text(), QStringLiteral("1,234.57 mV"));
    EXPECT_TRUE(textFits(readout()));

    bar->setDecimalPoint(-1);
    bar->Show();
    EXPECT_EQ(readout()->text(), QStringLiteral("1,235. mV"));
    bar->setDecimalPoint(30);
    bar->Show();
    EXPECT_EQ(readout()->text(),
              QStringLiteral("1,234.567") + QString(27, QLatin1Char('0')) + QStringLiteral(" mV"));
}

TEST_F(LedBarTest, ShowPlacesTheWindowAndKeepsThePlace) {
    bar->setPosition(RightDown);
    bar->Show();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(bar->Left().toDouble(), 12000 - 5100);
    EXPECT_EQ(bar->Top().toDouble(), 9000 - 1290 - 100);
    EXPECT_EQ(window()->pos(), QPoint(460, 507));
    EXPECT_EQ(window()->size(), QSize(340, 86));

    bar->setTop(QStringLiteral("abc"));
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->Top().toInt(), 0);
    bar->setLeft(750);
    bar->Show();
    EXPECT_EQ(window()->pos(), QPoint(50, 0));
}

TEST_F(LedBarTest, SendValueNeverShowsAHiddenBarAndRaisesOnlyWhenWanted) {
    bar->Show();
    bar->Hide();
    EXPECT_FALSE(window()->isVisible());
    bar->SendValue(12);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(litLeds(), 12);
    EXPECT_EQ(bar->Value(), 12);

    bar->Show();
    StackingCounter raised(window());
    bar->SendValue(13);
    EXPECT_EQ(raised.count, 1);
    library().onTopSuspended = true;
    bar->SendValue(14);
    library().onTopSuspended = false;
    bar->setAlwaysOnTop(false);
    bar->SendValue(15);
    EXPECT_EQ(raised.count, 1);
    bar->setAlwaysOnTop(true);
    bar->Hide();
    bar->SendValue(16);
    EXPECT_EQ(raised.count, 1);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(readout()->text(), QStringLiteral("16"));
}

TEST_F(LedBarTest, TheActivityLightChangesWithEveryRefresh) {
    QLabel* off = picture(QStringLiteral("imgLostFocus"));
    const bool before = off->isHidden();
    bar->SendValue(3);
    EXPECT_NE(off->isHidden(), before);
    bar->SendValue(3); // no news to report, but still a refresh
    EXPECT_EQ(off->isHidden(), before);
}

TEST_F(LedBarTest, TheMenuOnTheReadoutPutsTheBarAwayAndShowBringsItBack) {
    bar->setCabReference(QStringLiteral("Trimmer R12"));
    bar->setLeft(1500);
    bar->setTop(1500);
    bar->Show();
    bool suspendedWhileOpen = false;
    whenPopupShows(QStringLiteral("mnuHide"),
                   [&](QMenu*) { suspendedWhileOpen = library().onTopSuspended; });
    QTest::mousePress(readout(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_TRUE(suspendedWhileOpen);
    EXPECT_FALSE(library().onTopSuspended);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(cabinet().shelves().listedCaptions(), QStringList{QStringLiteral("Trimmer R12")});

    bar->Show();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->geometry(), QRect(100, 100, 340, 86));
    EXPECT_TRUE(cabinet().shelves().listedCaptions().isEmpty());

    whenPopupShows(QString()); // closed without a choice
    QTest::mousePress(window(), Qt::RightButton, {}, QPoint(3, 80));
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(LedBarTest, DraggingTheReadoutOrTheBackgroundMovesTheWindow) {
    bar->setLeft(1500);
    bar->setTop(1500);
    bar->Show();
    QPoint expected(100, 100);
    for (QWidget* handle : {static_cast<QWidget*>(readout()), window()}) {
        const QPoint start = handle == window() ? QPoint(3, 80) : QPoint(30, 10);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start + QPoint(-25, 40));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(-25, 40));
        expected += QPoint(-25, 40);
        EXPECT_EQ(window()->pos(), expected) << handle->objectName().toStdString();
    }
}

TEST_F(LedBarTest, AScaleAsWideAsTheLargestDoubleStillFillsInProportion) {
    bar->setScaleMin(-1e308);
    bar->setScaleMax(1e308);
    bar->setMin(-1);
    bar->setMax(1);
    bar->Show();
    EXPECT_TRUE(recorder->messages.empty());
    bar->SendValue(1e300);
    EXPECT_EQ(litLeds(), 20);
    bar->SendValue(Inf);
    EXPECT_EQ(litLeds(), 40);
    EXPECT_EQ(bar->Value(), Inf);
}

TEST_F(LedBarTest, NotANumberFailsLightsNothingAndIsReportedOnce) {
    bar->Show();
    bar->SendValue(20);
    changes->clear();
    bar->SendValue(NaN);
    bar->SendValue(NaN);
    ASSERT_EQ(changes->size(), 1);
    EXPECT_TRUE(std::isnan(bar->Value()));
    EXPECT_FALSE(bar->IsPassed());
    EXPECT_EQ(readout()->text(), QStringLiteral("NaN"));
    EXPECT_EQ(textColourOf(readout()), Red);
    EXPECT_EQ(litLeds(), 0);
}

TEST_F(LedBarTest, DoneClosesTheWindowAndShowOpensAFreshOne) {
    bar->Show();
    bar->SendValue(25);
    QPointer<QWidget> closed = window();
    bar->Done();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_TRUE(cabinet().shelves().listedCaptions().isEmpty());

    bar->Show();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(litLeds(), 0); // a fresh window starts at the bottom of its scale
    bar->SendValue(25);
    EXPECT_EQ(litLeds(), 25);
}

TEST_F(LedBarTest, ABarPutAwayIntoAFullCabinetComesBackWithShow) {
    std::vector<std::unique_ptr<QWidget>> others;
    for (int shelf = 0; shelf < 30; ++shelf) {
        others.push_back(std::make_unique<QWidget>());
        cabinet().addToCabinet(*others.back(), QStringLiteral("shelf %1").arg(shelf));
    }
    bar->setLeft(1500);
    bar->setTop(1500);
    bar->Show();
    whenPopupShows(QStringLiteral("mnuHide"));
    QTest::mousePress(readout(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_FALSE(window()->isVisible());
    EXPECT_EQ(cabinet().shelves().listedCaptions().size(), 30);
    bar->Show();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->geometry(), QRect(100, 100, 340, 86));
}

// The screen is repainted piece by piece as values arrive; whatever it shows
// afterwards is what painting the whole window afresh shows.
TEST_F(LedBarTest, TheScreenShowsWhatAFreshPaintingShows) {
    bar->Show();
    QWidget* shown = window();
    QScreen* screen = shown->screen();
    ASSERT_NE(screen, nullptr);
    for (const double value : {40.0, 0.25, 12.5, 35.0, 20.0, 0.0, 50.0, 29.5}) {
        bar->SendValue(value);
        QCoreApplication::processEvents();
        const QImage onScreen =
            screen->grabWindow(shown->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage afresh = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(onScreen, afresh) << value;
    }
}

TEST_F(LedBarTest, TheBarAsTheOperatorSeesIt) {
    bar->setScaleMax(100);
    bar->setMin(40);
    bar->setMax(60);
    bar->setDecimalPoint(2);
    bar->setSuffix(QStringLiteral("mV"));
    bar->Show();
    bar->SendValue(52.25);
    EXPECT_TRUE(textFits(readout()));
    snapshot(window(), QStringLiteral("frmLEDBarHor-pass"));
    bar->SendValue(-1234567.891);
    bar->setScaleMin(-2000000);
    bar->setMin(-10);
    bar->Show(false);
    bar->SendValue(-1234567.891);
    EXPECT_EQ(readout()->text(), QStringLiteral("-1,234,567.89 mV"));
    EXPECT_TRUE(textFits(readout()));
    snapshot(window(), QStringLiteral("frmLEDBarHor-locked"));
}

} // namespace
