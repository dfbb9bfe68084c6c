// The operator adjusts the LED bar: arrows held with the mouse or the
// keyboard, the knob dragged, Home and End. The pauses of a held arrow are
// recorded through the library's pause, which also lets go of the arrow at a
// chosen step, so no test waits for real time.

#include "LedBarFixture.h"

#include "frame/ScreenUnits.h"
#include "support/ColourVision.h"
#include "virtual/ArrowRepeat.h"
#include "virtual/PassBandMark.h"

#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class LedBarAdjustTest : public LedBarTest {
protected:
    // Records every pause; at pause number `letGoAt` (counting from 1) runs
    // `letGo`, as the operator would release the arrow during that pause.
    void recordPauses(int letGoAt, std::function<void()> letGo) {
        setArrowPause([this, letGoAt, letGo](double seconds) {
            pauses.push_back(seconds);
            if (static_cast<int>(pauses.size()) == letGoAt)
                letGo();
            if (static_cast<int>(pauses.size()) == 200) {
                ADD_FAILURE() << "the arrow never let go";
                releaseMouseOn("imgScrollLeft1");
                releaseMouseOn("imgScrollRight1");
            }
        });
    }
    void releaseMouseOn(const char* name) {
        QTest::mouseRelease(picture(QLatin1String(name)), Qt::LeftButton, {}, QPoint(5, 5));
    }
    QLabel* knob() const { return picture(QStringLiteral("imgScroll")); }

    std::vector<double> pauses;
};

TEST_F(LedBarAdjustTest, HoldingTheRightArrowSpeedsUpAndStopsAtTheTopOfTheScale) {
    bar->Show();
    bar->SendValue(36);
    changes->clear();
    bool pressedShowed = false;
    setArrowPause([&](double seconds) {
        pauses.push_back(seconds);
        if (pauses.size() == 1)
            pressedShowed = picture(QStringLiteral("imgScrollRight"))->isHidden() &&
                            picture(QStringLiteral("imgScrollRight1"))->isVisible();
        if (pauses.size() == 10)
            releaseMouseOn("imgScrollRight1");
    });
    QTest::mousePress(picture(QStringLiteral("imgScrollRight")), Qt::LeftButton, {}, QPoint(5, 5));

    EXPECT_TRUE(pressedShowed);
    ASSERT_EQ(pauses.size(), 10u);
    const double expected[] = {0.3, 0.25, 0.2, 0.15, 0.1, 0.05};
    for (size_t step = 0; step < 6; ++step)
        EXPECT_NEAR(pauses[step], expected[step], 1e-6) << step;
    for (size_t step = 6; step < 10; ++step)
        EXPECT_LT(pauses[step], 1e-8) << step;
    // Four steps up to 40, then the value stops changing and so do the reports.
    EXPECT_EQ(reportedValues(), (std::vector<double>{37, 38, 39, 40}));
    EXPECT_EQ(litLeds(), 40);
    EXPECT_EQ(knobLeftPixels(), 4740 / 15);
    EXPECT_TRUE(picture(QStringLiteral("imgScrollRight"))->isVisible());
}

struct StepCase {
    double preciseStep;
    const char* arrow;
    const char* releasedOn;
    double after;
};

class ArrowClickTest : public LedBarAdjustTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ArrowClickTest, AClickStepsOnceByTheArrowStep) {
    const StepCase& c = GetParam();
    bar->setPreciseStep(c.preciseStep);
    bar->setDecimalPoint(1);
    bar->Show();
    bar->SendValue(20);
    recordPauses(1, [&] { releaseMouseOn(c.releasedOn); });
    QTest::mousePress(picture(QLatin1String(c.arrow)), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pauses.size(), 1u);
    EXPECT_DOUBLE_EQ(bar->Value(), c.after);
    EXPECT_TRUE(picture(QLatin1String(c.arrow))->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Steps, ArrowClickTest,
                         ::testing::Values(StepCase{0.1, "imgScrollRight", "imgScrollRight1", 20.1},
                                           StepCase{5, "imgScrollRight", "imgScrollRight1", 21},
                                           StepCase{0, "imgScrollLeft", "imgScrollLeft1", 19},
                                           StepCase{0.25, "imgScrollLeft", "imgScrollLeft", 19.75},
                                           StepCase{-0.5, "imgScrollRight", "imgScrollRight", 21}));

TEST_F(LedBarAdjustTest, AClickOnThePressedPictureEndsTheHoldToo) {
    bar->Show();
    bar->SendValue(20);
    recordPauses(3, [&] {
        QTest::mouseClick(picture(QStringLiteral("imgScrollLeft1")), Qt::LeftButton, {},
                          QPoint(5, 5));
    });
    QTest::mousePress(picture(QStringLiteral("imgScrollLeft")), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pauses.size(), 3u);
    EXPECT_EQ(bar->Value(), 17);
}

TEST_F(LedBarAdjustTest, ReleasingTheButtonAwayFromTheArrowEndsTheHold) {
    bar->Show();
    bar->SendValue(20);
    // Through the window system, as the operator's mouse comes up over the
    // LEDs: the pressed arrow holds the mouse and hears it.
    recordPauses(2, [&] {
        QTest::mouseRelease(window()->windowHandle(), Qt::LeftButton, {}, QPoint(60, 45));
    });
    QTest::mousePress(picture(QStringLiteral("imgScrollRight")), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pauses.size(), 2u);
    EXPECT_EQ(bar->Value(), 22);
    EXPECT_TRUE(picture(QStringLiteral("imgScrollRight"))->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(LedBarAdjustTest, HidingTheBarDuringAHoldEndsIt) {
    bar->Show();
    bar->SendValue(20);
    recordPauses(2, [&] { bar->Hide(); });
    QTest::mousePress(picture(QStringLiteral("imgScrollRight")), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pauses.size(), 2u);
    EXPECT_EQ(bar->Value(), 22);
    EXPECT_FALSE(picture(QStringLiteral("imgScrollRight"))->isHidden());
}

TEST_F(LedBarAdjustTest, DoneDuringAHoldEndsIt) {
    bar->Show();
    recordPauses(2, [&] { bar->Done(); });
    QTest::mousePress(picture(QStringLiteral("imgScrollRight")), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pauses.size(), 2u);
}

struct DragCase {
    int pixels;    // the pointer's move while the button is held
    double value;  // the value the knob chose
    int knobTwips; // where the knob stays
};

class KnobDragTest : public LedBarAdjustTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(KnobDragTest, TheKnobChoosesTheNearestLedAndStaysWhereItWasDragged) {
    bar->Show();
    ASSERT_EQ(knobLeftPixels(), 4);
    QTest::mousePress(knob(), Qt::LeftButton, {}, QPoint(9, 9));
    EXPECT_TRUE(picture(QStringLiteral("imgScroll1"))->isVisible());
    QTest::mouseMove(knob(), QPoint(9 + GetParam().pixels, 9));
    EXPECT_EQ(bar->Value(), GetParam().value);
    EXPECT_EQ(knobLeftPixels(), GetParam().knobTwips / 15);
    QTest::mouseRelease(knob(), Qt::LeftButton, {}, QPoint(9 + GetParam().pixels, 9));
    EXPECT_FALSE(picture(QStringLiteral("imgScroll1"))->isVisible());
    EXPECT_EQ(knobLeftPixels(), GetParam().knobTwips / 15);
}

INSTANTIATE_TEST_SUITE_P(Drags, KnobDragTest,
                         ::testing::Values(DragCase{8, 2, 180},  // (180+60)/120 = 2
                                           DragCase{12, 2, 240}, // 2.5 goes to 2
                                           DragCase{20, 4, 360}, // 3.5 goes to 4
                                           DragCase{-10, 0, 60}, // below the left end
                                           DragCase{400, 40, 4740}));

TEST_F(LedBarAdjustTest, TheKnobFollowsAMoveInSteps) {
    bar->Show();
    QTest::mousePress(knob(), Qt::LeftButton, {}, QPoint(9, 9));
    QTest::mouseMove(knob(), QPoint(9 + 80, 9)); // knob to 60 + 1200
    QTest::mouseMove(knob(), QPoint(9 + 40, 9)); // the knob moved: 40 more
    QTest::mouseRelease(knob(), Qt::LeftButton, {}, QPoint(9 + 40, 9));
    EXPECT_EQ(knobLeftPixels(), 4 + 120);
    EXPECT_EQ(bar->Value(), 16); // (60 + 1800 + 60) / 120
    EXPECT_EQ(litLeds(), 16);
    EXPECT_EQ(reportedValues().back(), 16);
}

TEST_F(LedBarAdjustTest, TheArrowKeysStepWhileTheKnobHasTheKeyboard) {
    bar->Show();
    bar->SendValue(20);
    recordPauses(2, [&] { QTest::keyRelease(knob(), Qt::Key_Right); });
    QTest::keyPress(knob(), Qt::Key_Right);
    EXPECT_EQ(pauses.size(), 2u);
    EXPECT_EQ(bar->Value(), 22);
    EXPECT_TRUE(picture(QStringLiteral("imgScrollRight"))->isVisible());

    pauses.clear();
    recordPauses(1, [&] { QTest::keyRelease(knob(), Qt::Key_Left); });
    QTest::keyPress(knob(), Qt::Key_Left);
    EXPECT_EQ(bar->Value(), 21);
}

TEST_F(LedBarAdjustTest, TheKeyboardsOwnRepeatIsIgnored) {
    bar->Show();
    bar->SendValue(20);
    setArrowPause([&](double seconds) {
        pauses.push_back(seconds);
        if (pauses.size() == 1) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(knob(), &repeat);
            QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(knob(), &repeatUp);
        }
        if (pauses.size() == 3)
            QTest::keyRelease(knob(), Qt::Key_Right);
    });
    QTest::keyPress(knob(), Qt::Key_Right);
    EXPECT_EQ(pauses.size(), 3u);
    EXPECT_EQ(bar->Value(), 23);
}

TEST_F(LedBarAdjustTest, LosingTheKeyboardEndsAKeyHold) {
    bar->Show();
    window()->activateWindow();
    knob()->setFocus();
    bar->SendValue(20);
    recordPauses(2, [&] {
        QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(knob(), &lost);
    });
    QTest::keyPress(knob(), Qt::Key_Right);
    EXPECT_EQ(pauses.size(), 2u);
    EXPECT_EQ(bar->Value(), 22);
}

TEST_F(LedBarAdjustTest, HomeAndEndGoToTheBandWithoutRefreshing) {
    bar->Show();
    bar->SendValue(20);
    changes->clear();
    QTest::keyClick(knob(), Qt::Key_Home);
    EXPECT_EQ(changes->size(), 0);
    EXPECT_EQ(readout()->text(), QStringLiteral("20"));
    bar->Show(); // the next refresh shows it
    EXPECT_EQ(reportedValues(), std::vector<double>{10});

    QTest::keyClick(knob(), Qt::Key_End);
    EXPECT_EQ(readout()->text(), QStringLiteral("10"));
    recordPauses(1, [&] { QTest::keyRelease(knob(), Qt::Key_Left); });
    QTest::keyPress(knob(), Qt::Key_Left); // steps from Max
    EXPECT_EQ(bar->Value(), 29);
}

TEST_F(LedBarAdjustTest, WithoutPermissionTheDisabledPicturesCoverTheControlsAndKeysDoNothing) {
    bar->Show(false);
    for (const char* name : {"imgScrollLeft2", "imgScrollRight2", "imgScroll2"})
        EXPECT_TRUE(picture(QLatin1String(name))->isVisible()) << name;
    bar->SendValue(20);
    recordPauses(1, [&] { releaseMouseOn("imgScrollRight1"); });
    click(picture(QStringLiteral("imgScrollRight2")));
    QTest::mousePress(picture(QStringLiteral("imgScroll2")), Qt::LeftButton, {}, QPoint(9, 9));
    QTest::mouseMove(picture(QStringLiteral("imgScroll2")), QPoint(90, 9));
    QTest::mouseRelease(picture(QStringLiteral("imgScroll2")), Qt::LeftButton, {}, QPoint(90, 9));
    QTest::keyClick(knob(), Qt::Key_Right);
    QTest::keyClick(knob(), Qt::Key_End);
    bar->SendValue(20);
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(bar->Value(), 20);

    // The latest Show decides, for the pictures and for the keys.
    bar->Show(true);
    for (const char* name : {"imgScrollLeft2", "imgScrollRight2", "imgScroll2"})
        EXPECT_FALSE(picture(QLatin1String(name))->isVisible()) << name;
    QTest::keyClick(knob(), Qt::Key_Home);
    bar->Show(true);
    EXPECT_EQ(bar->Value(), 10);
}

} // namespace

namespace {

// The pass band is marked over the LEDs, since their colours follow their
// place on the scale: with the band 10 to 30 on a scale of 0 to 40 (one LED
// a unit), the mark runs from LED 10's left edge to LED 30's.
TEST_F(LedBarAdjustTest, ThePassBandIsMarkedOverTheLeds) {
    bar->Show();
    auto* band = window()->findChild<QWidget*>(QStringLiteral("shpPassBand"));
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->isVisibleTo(window()));
    const auto* mark = static_cast<const PassBandMark*>(band);
    ASSERT_TRUE(mark->span().has_value());
    EXPECT_EQ(mark->span()->left, FirstLedLeft + 10 * LedPitch);
    EXPECT_EQ(mark->span()->right, FirstLedLeft + 30 * LedPitch);
    EXPECT_FALSE(band->toolTip().isEmpty());
    // Drawn: the line reads in the band, not outside it.
    const QImage drawn = band->grab().toImage();
    const int line = 1;
    const auto lit = [&](int twips) {
        return QColor(drawn.pixel(toPixelsX(twips), line)).lightness() > 150;
    };
    EXPECT_TRUE(lit(FirstLedLeft + 20 * LedPitch));
    EXPECT_FALSE(lit(FirstLedLeft + 5 * LedPitch));
    EXPECT_FALSE(lit(FirstLedLeft + 35 * LedPitch));
    saveShotsForColourCheck(*window(), QStringLiteral("led-bar-pass-band"));
}

struct BandCase {
    const char* name;
    double min;
    double max;
    bool shown;
    bool openLeft;
    bool openRight;
};

class PassBandSpans : public ::testing::TestWithParam<BandCase> {};

TEST_P(PassBandSpans, StopAtTheBarsEnds) {
    const BandCase& c = GetParam();
    LedBarSettings settings;
    settings.scaleMin = 0;
    settings.scaleMax = 40;
    settings.min = c.min;
    settings.max = c.max;
    const std::optional<BandSpan> span = passBandSpan(settings);
    ASSERT_EQ(span.has_value(), c.shown);
    if (!span)
        return;
    EXPECT_EQ(span->openLeft, c.openLeft);
    EXPECT_EQ(span->openRight, c.openRight);
    EXPECT_GE(span->left, FirstLedLeft);
    EXPECT_LE(span->right, FirstLedLeft + (LedCount - 1) * LedPitch + LedWidth);
    EXPECT_LE(span->left, span->right);
}

INSTANTIATE_TEST_SUITE_P(Table, PassBandSpans,
                         ::testing::Values(BandCase{"Inside", 10, 30, true, false, false},
                                           BandCase{"BelowTheScale", -5, 10, true, true, false},
                                           BandCase{"AboveTheScale", 30, 50, true, false, true},
                                           BandCase{"WhollyOutside", 50, 60, false, false, false},
                                           BandCase{"Crossed", 30, 10, false, false, false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(LedBarAdjustTest, TheKnobShowsWhenItHasTheKeyboard) {
    bar->Show();
    auto* ring = window()->findChild<QWidget*>(QStringLiteral("shpKnobFocus"));
    ASSERT_NE(ring, nullptr);
    // Shown, the window may give the knob the keyboard at once.
    EXPECT_EQ(ring->isVisibleTo(window()), knob()->hasFocus());
    QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(knob(), &away);
    EXPECT_FALSE(ring->isVisibleTo(window()));
    QFocusEvent got(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(knob(), &got);
    EXPECT_TRUE(ring->isVisibleTo(window()));
    EXPECT_TRUE(ring->geometry().contains(knob()->geometry())) << "the ring is round the knob";
    bar->SendValue(25); // the ring follows the knob
    EXPECT_TRUE(ring->geometry().contains(knob()->geometry()));
    saveShotsForColourCheck(*window(), QStringLiteral("led-bar-knob-focus"));
    QFocusEvent lost(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(knob(), &lost);
    EXPECT_FALSE(ring->isVisibleTo(window()));
}

} // namespace
