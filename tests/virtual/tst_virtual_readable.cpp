// The virtual instruments read from the line: a value beyond the LED bar's
// scale reads as sent with a mark at the bar's end, a failed value is marked
// and not only red, and the keyboard answers the panels.

#include "LedBarFixture.h"
#include "support/ColourVision.h"
#include "ui/FailMark.h"
#include "virtual/ArrowRepeat.h"

#include <XQTestDev/XQVirtualDevice32.h>

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

// The case: a 5 V rail on a 4.75 to 5.25 V scale whose pass band
// ends where the scale ends.
class LedBarRangeTest : public LedBarTest {
protected:
    void SetUp() override {
        LedBarTest::SetUp();
        bar->setScaleMin(4.75);
        bar->setScaleMax(5.25);
        bar->setMin(4.9);
        bar->setMax(5.25);
        bar->setDecimalPoint(3);
        bar->setSuffix(QStringLiteral("V"));
        bar->Show();
        changes->clear();
    }
    bool markShown(const char* name) const { return picture(QLatin1String(name))->isVisible(); }
};

TEST_F(LedBarRangeTest, AValueAboveTheScaleReadsAndFailsAsSentWithAnOverRangeMark) {
    bar->SendValue(5.4);
    EXPECT_EQ(readout()->text(), QStringLiteral("5.400 V"));
    EXPECT_EQ(bar->Value(), 5.4);
    EXPECT_FALSE(bar->IsPassed());
    ASSERT_EQ(changes->size(), 1);
    EXPECT_EQ(changes->front().at(0).toDouble(), 5.4);
    EXPECT_FALSE(changes->front().at(1).toBool());
    // The bar itself stays pinned at its end.
    EXPECT_EQ(litLeds(), 40);
    EXPECT_TRUE(markShown("lblOverRange"));
    EXPECT_FALSE(markShown("lblUnderRange"));
    saveShotsForColourCheck(*window(), QStringLiteral("led-bar-over-range"));

    bar->SendValue(5.25); // the end of the band still passes
    EXPECT_TRUE(bar->IsPassed());
    EXPECT_EQ(readout()->text(), QStringLiteral("5.250 V"));
    EXPECT_FALSE(markShown("lblOverRange"));
    saveShotsForColourCheck(*window(), QStringLiteral("led-bar-pass"));
}

TEST_F(LedBarRangeTest, AValueBelowTheScaleShowsTheUnderRangeMark) {
    bar->SendValue(4.5);
    EXPECT_EQ(bar->Value(), 4.5);
    EXPECT_EQ(readout()->text(), QStringLiteral("4.500 V"));
    EXPECT_EQ(litLeds(), 0);
    EXPECT_TRUE(markShown("lblUnderRange"));
    EXPECT_FALSE(markShown("lblOverRange"));
}

// The operator's arrows move the bar from where it stands, within the scale.
TEST_F(LedBarRangeTest, AnArrowStepFromBeyondTheScaleStartsAtItsEnd) {
    bar->SendValue(5.4);
    int steps = 0;
    setArrowPause([&](double) {
        if (++steps == 1)
            QTest::keyRelease(picture(QStringLiteral("imgScroll")), Qt::Key_Left);
    });
    QTest::keyPress(picture(QStringLiteral("imgScroll")), Qt::Key_Left);
    EXPECT_DOUBLE_EQ(bar->Value(), 5.25 - 0.5 / 40);
    EXPECT_FALSE(markShown("lblOverRange"));
}

// ---- Keyboard --------------------------------------------------------------

void activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

TEST_F(LedBarTest, TheKnobHasTheKeyboardWhenTheBarIsShownAndHomeEndReachTheBand) {
    bar->Show();
    activate(window());
    QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(focused, picture(QStringLiteral("imgScroll")));
    bar->SendValue(20);
    QTest::keyClick(focused, Qt::Key_Home);
    bar->Show(); // Home shows at the next refresh
    EXPECT_EQ(bar->Value(), 10);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    bar->Show();
    EXPECT_EQ(bar->Value(), 30);
}

class VirtualKeysTest : public VirtualTest {
protected:
    void SetUp() override {
        VirtualTest::SetUp();
        device = std::make_unique<XQVirtualDevice32>();
        device->setMin(1);
        device->setMax(2);
        device->Show();
        device->SendValue(2.5);
        panel = topLevel(QStringLiteral("frmVirtualDevice"));
        activate(panel);
        ok = std::make_unique<QSignalSpy>(device.get(), &XQVirtualDevice32::OKClick);
        cancel = std::make_unique<QSignalSpy>(device.get(), &XQVirtualDevice32::CancelClick);
    }
    void TearDown() override {
        ok.reset();
        cancel.reset();
        device.reset();
        VirtualTest::TearDown();
    }
    QPushButton* button(const char* name) {
        return control<QPushButton>(panel, QLatin1String(name));
    }

    std::unique_ptr<XQVirtualDevice32> device;
    QWidget* panel = nullptr;
    std::unique_ptr<QSignalSpy> ok;
    std::unique_ptr<QSignalSpy> cancel;
};

TEST_F(VirtualKeysTest, EnterPressesTheFocusedButtonAndEscapePressesCancel) {
    button("cmdCancel")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(cancel->size(), 1);
    EXPECT_EQ(ok->size(), 0);

    button("cmdOK")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    ASSERT_EQ(ok->size(), 1);
    EXPECT_EQ(ok->front().at(0).toDouble(), 2.5);
    EXPECT_FALSE(ok->front().at(1).toBool());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(cancel->size(), 2);
    EXPECT_EQ(ok->size(), 1);
}

TEST_F(VirtualKeysTest, EnterWithTheFocusOutsideTheButtonsPressesOK) {
    panel->setFocus();
    QTest::keyClick(panel, Qt::Key_Return);
    EXPECT_EQ(ok->size(), 1);
    EXPECT_EQ(cancel->size(), 0);
}

TEST_F(VirtualKeysTest, AFailedValueIsMarkedOnThePanel) {
    auto* value = control<QLabel>(panel, QStringLiteral("lblValue"));
    EXPECT_FALSE(hasFailMark(value->text())) << "the mark stands beside the value";
    EXPECT_TRUE(failMarkShown(panel));
    saveShotsForColourCheck(*panel, QStringLiteral("virtual-device-fail"));
    device->SendValue(1.5);
    EXPECT_FALSE(failMarkShown(panel));
    saveShotsForColourCheck(*panel, QStringLiteral("virtual-device-pass"));
}

} // namespace
