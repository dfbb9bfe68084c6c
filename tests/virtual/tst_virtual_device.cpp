#include "VirtualFixture.h"

#include "frame/LibraryState.h"
#include "ui/Cabinet.h"
#include "ui/FailMark.h"

#include <XQTestDev/XQVirtualDevice32.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

constexpr int Green = 65280;
constexpr int Red = 255;

class VirtualDeviceTest : public VirtualTest {
protected:
    void SetUp() override {
        VirtualTest::SetUp();
        device = std::make_unique<XQVirtualDevice32>();
    }
    void TearDown() override {
        device.reset();
        VirtualTest::TearDown();
    }

    QWidget* panel() const { return topLevel(QStringLiteral("frmVirtualDevice")); }
    QLabel* valueLabel() const { return control<QLabel>(panel(), QStringLiteral("lblValue")); }
    QLineEdit* messageLine() const {
        return control<QLineEdit>(panel(), QStringLiteral("txtMessage"));
    }
    QLabel* picture(const char* name) const {
        return control<QLabel>(panel(), QLatin1String(name));
    }
    int messageColour() const { return bgrOf(messageLine()->palette().color(QPalette::Text)); }

    std::unique_ptr<XQVirtualDevice32> device;
};

TEST_F(VirtualDeviceTest, AFreshDeviceHasItsDefaultsAndAHiddenPanel) {
    EXPECT_EQ(device->DigitColorPass(), Green);
    EXPECT_EQ(device->DigitColorFail(), Red);
    EXPECT_EQ(device->Position(), 0);
    EXPECT_FALSE(device->Top().isValid());
    EXPECT_FALSE(device->Left().isValid());
    EXPECT_TRUE(device->AlwaysOnTop());
    EXPECT_EQ(device->Min(), -1e308);
    EXPECT_EQ(device->Max(), 1e308);
    EXPECT_EQ(device->Value(), 0);
    EXPECT_FALSE(device->IsPassed());
    EXPECT_EQ(device->Width(), 4500);
    EXPECT_EQ(device->Height(), 2250);

    ASSERT_NE(panel(), nullptr);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(valueLabel()->text(), QStringLiteral("--.--"));
    for (const char* name : {"txtMessage", "lblValue", "cmdOK", "cmdCancel", "picClipControl",
                             "picClipControl1", "imgLED", "imgLED1", "shpMainFrame"})
        EXPECT_NE(control(panel(), QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(control<QPushButton>(panel(), QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    EXPECT_EQ(control<QPushButton>(panel(), QStringLiteral("cmdCancel"))->text(),
              QStringLiteral("Cancel"));
    auto* menu = control<QMenu>(panel(), QStringLiteral("mnuXQVirtualDevice"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Hide"));
}

struct ValueCase {
    std::optional<double> min;
    std::optional<double> max;
    double value;
    QVariant decimalPoint;
    const char* shown;
    bool passed;
};

class VirtualDeviceValueTest : public VirtualDeviceTest,
                               public ::testing::WithParamInterface<ValueCase> {};

TEST_P(VirtualDeviceValueTest, ShowsJudgesAndColoursTheValue) {
    const ValueCase& c = GetParam();
    if (c.max)
        device->setMax(*c.max);
    if (c.min)
        device->setMin(*c.min);
    device->setSuffix(QStringLiteral("V"));
    device->setCaption(QStringLiteral("Read the meter"));
    device->SendValue(c.value, c.decimalPoint);

    // A failed value is marked, not only coloured.
    const QString shown = QString::fromLatin1(c.shown);
    EXPECT_EQ(valueLabel()->text(), shown);
    EXPECT_EQ(failMarkShown(valueLabel()->window()), !c.passed);
    EXPECT_EQ(device->IsPassed(), c.passed);
    EXPECT_TRUE(std::isnan(c.value) ? std::isnan(device->Value()) : device->Value() == c.value);
    EXPECT_EQ(textColourOf(valueLabel()), c.passed ? Green : Red);
    EXPECT_EQ(messageColour(), c.passed ? Green : Red);
    EXPECT_EQ(messageLine()->text(), QStringLiteral("Read the meter"));
    EXPECT_TRUE(recorder->messages.empty());
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Values, VirtualDeviceValueTest,
    ::testing::Values(ValueCase{std::nullopt, std::nullopt, -1e12, 0, "-1,000,000,000,000 V", true},
                      ValueCase{1, 2, 1, 2, "1.00 V", true}, ValueCase{1, 2, 2, 2, "2.00 V", true},
                      ValueCase{1, 2, 0.999, 3, "0.999 V", false},
                      ValueCase{1, 2, 2.001, 3, "2.001 V", false},
                      ValueCase{1, std::nullopt, 0.5, 1, "0.5 V", false},
                      ValueCase{std::nullopt, 2, 2.5, 1, "2.5 V", false},
                      ValueCase{std::nullopt, std::nullopt, 1234.567, 2, "1,234.57 V", true},
                      ValueCase{std::nullopt, std::nullopt, 1234.567, 0, "1,235 V", true},
                      ValueCase{std::nullopt, std::nullopt, 1234.567, -1, "1,235. V", true},
                      ValueCase{std::nullopt, std::nullopt, 1234.567, QStringLiteral("abc"),
                                "1,235. V", true},
                      ValueCase{0, 10, NaN, 2, "NaN V", false}));

TEST_F(VirtualDeviceTest, CrossingLimitsAreRefusedWithTheirMessages) {
    device->setMin(std::numeric_limits<double>::infinity()); // above the default Max
    device->setMin(1);
    device->setMax(0.5);
    device->setMax(NaN);
    ASSERT_EQ(recorder->texts(), (QStringList{QStringLiteral("Invalid Number Min Number!"),
                                              QStringLiteral("Invalid Number Max Number!"),
                                              QStringLiteral("Invalid Number Max Number!")}));
    for (const MessageRequest& message : recorder->messages)
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(device->Min(), 1);
    EXPECT_EQ(device->Max(), 1e308);
}

TEST_F(VirtualDeviceTest, EqualColoursPassEveryValue) {
    device->setDigitColorFail(Green);
    device->setMax(1);
    device->SendValue(5);
    EXPECT_TRUE(device->IsPassed());
    EXPECT_EQ(textColourOf(valueLabel()), Green);
}

TEST_F(VirtualDeviceTest, TheActivityLightChangesWithEveryValue) {
    QLabel* off = picture("imgLED1");
    const bool before = off->isVisibleTo(panel());
    device->SendValue(1);
    EXPECT_NE(off->isVisibleTo(panel()), before);
    device->SendValue(1);
    EXPECT_EQ(off->isVisibleTo(panel()), before);
}

TEST_F(VirtualDeviceTest, TopThatIsNoNumberIsStoredAsZeroAndChoosesTheStoredPlace) {
    device->setPosition(RightDown);
    device->setTop(QStringLiteral("abc"));
    EXPECT_EQ(device->Position(), 0);
    EXPECT_EQ(device->Top().typeId(), QMetaType::Short);
    EXPECT_EQ(device->Top().toInt(), 0);
    device->setPosition(Center);
    device->setLeft(1500);
    EXPECT_EQ(device->Position(), 0);
    EXPECT_EQ(device->Left(), QVariant(1500));
}

TEST_F(VirtualDeviceTest, PlacesBeyondAnyScreenAndUnknownPositionsStaySound) {
    device->setTop(NaN);
    EXPECT_EQ(device->Top().typeId(), QMetaType::Short);
    device->setTop(1e308);
    device->setLeft(-1e308);
    device->setPosition(static_cast<Positions>(42)); // not a place: the stored one
    device->Show();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(device->Top().toDouble(), 1e6);
    EXPECT_EQ(device->Left().toDouble(), -1e6);
}

TEST_F(VirtualDeviceTest, ShowPlacesThePanelAndKeepsThePlace) {
    device->setPosition(RightDown);
    device->Show();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(device->Left().toDouble(), 12000 - 4500);
    EXPECT_EQ(device->Top().toDouble(), 9000 - 2250 - 100);
    EXPECT_EQ(panel()->pos(), QPoint(500, 443));
    EXPECT_EQ(panel()->size(), QSize(300, 150));

    device->setLeft(1500);
    device->setTop(QStringLiteral("3000"));
    device->Show();
    EXPECT_EQ(panel()->pos(), QPoint(100, 200));
    EXPECT_EQ(device->Top().toDouble(), 3000);
}

TEST_F(VirtualDeviceTest, OKAndCancelCarryTheLastValueAndChangeNothingElse) {
    device->setMin(0);
    device->setMax(10);
    device->Show();
    QSignalSpy ok(device.get(), &XQVirtualDevice32::OKClick);
    QSignalSpy cancel(device.get(), &XQVirtualDevice32::CancelClick);
    device->SendValue(3);
    device->SendValue(12);
    click(control(panel(), QStringLiteral("cmdOK")));
    ASSERT_EQ(ok.size(), 1);
    EXPECT_EQ(ok.at(0).at(0).toDouble(), 12);
    EXPECT_FALSE(ok.at(0).at(1).toBool());

    device->SendValue(4);
    click(control(panel(), QStringLiteral("cmdCancel")));
    ASSERT_EQ(cancel.size(), 1);
    EXPECT_EQ(cancel.at(0).at(0).toDouble(), 4);
    EXPECT_TRUE(cancel.at(0).at(1).toBool());
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(valueLabel()->text(), QStringLiteral("4.00 "));
    EXPECT_EQ(ok.size(), 1);
}

TEST_F(VirtualDeviceTest, SendValueBringsThePanelToTheFrontOnlyWhenWanted) {
    device->Show();
    StackingCounter raised(panel());
    device->SendValue(1);
    EXPECT_EQ(raised.count, 1);

    library().onTopSuspended = true;
    device->SendValue(2);
    EXPECT_EQ(raised.count, 1);
    library().onTopSuspended = false;

    device->setAlwaysOnTop(false);
    device->SendValue(3);
    EXPECT_EQ(raised.count, 1);
    EXPECT_FALSE(device->AlwaysOnTop());

    device->setAlwaysOnTop(true);
    device->Hide();
    EXPECT_FALSE(panel()->isVisible());
    device->SendValue(4);
    EXPECT_EQ(raised.count, 1);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(valueLabel()->text(), QStringLiteral("4.00 "));
}

TEST_F(VirtualDeviceTest, TheCircularButtonShowsItsPressAndPutsThePanelAway) {
    device->setCabReference(QStringLiteral("Ripple meter"));
    device->setLeft(1500);
    device->setTop(1500);
    device->Show();
    QLabel* released = picture("picClipControl");
    QLabel* pressed = picture("picClipControl1");
    QTest::mousePress(released, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(released->isVisible());
    EXPECT_TRUE(pressed->isVisible());
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(released->isVisibleTo(panel()));

    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(cabinet().shelves().listedCaptions(), QStringList{QStringLiteral("Ripple meter")});

    // Show brings it back from its shelf to where it was.
    device->setPosition(Center);
    device->Show();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(panel()->geometry(), QRect(100, 100, 300, 150));
    EXPECT_TRUE(cabinet().shelves().listedCaptions().isEmpty());
}

TEST_F(VirtualDeviceTest, ReleasingTheButtonOutsideItKeepsThePanel) {
    device->Show();
    QLabel* released = picture("picClipControl");
    QTest::mousePress(released, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(picture("picClipControl1"), Qt::LeftButton, {}, QPoint(-60, 8));
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(released->isVisible());
    EXPECT_TRUE(cabinet().shelves().listedCaptions().isEmpty());
}

TEST_F(VirtualDeviceTest, TheMenuSuspendsOnTopAndItsHidePutsThePanelAway) {
    device->Show();
    bool suspendedWhileOpen = false;
    whenPopupShows(QStringLiteral("mnuHide"),
                   [&](QMenu*) { suspendedWhileOpen = library().onTopSuspended; });
    QTest::mousePress(picture("picClipControl"), Qt::RightButton, {}, QPoint(8, 8));
    EXPECT_TRUE(suspendedWhileOpen);
    EXPECT_FALSE(library().onTopSuspended);
    EXPECT_FALSE(panel()->isVisible());
    ASSERT_EQ(cabinet().shelves().listedCaptions().size(), 1);
    // No CabReference: listed under its window handle.
    EXPECT_GT(cabinet().shelves().listedCaptions().front().toLongLong(), 0);
}

TEST_F(VirtualDeviceTest, DraggingTheValueTheMessageOrTheBackgroundMovesThePanel) {
    device->setLeft(1500);
    device->setTop(1500);
    device->Show();
    QPoint expected(100, 100);
    for (QWidget* handle :
         {static_cast<QWidget*>(valueLabel()), static_cast<QWidget*>(messageLine()), panel()}) {
        const QPoint start = handle == panel() ? QPoint(5, 140) : QPoint(20, 8);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start + QPoint(30, 12));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(30, 12));
        expected += QPoint(30, 12);
        EXPECT_EQ(panel()->pos(), expected) << handle->objectName().toStdString();
    }
}

TEST_F(VirtualDeviceTest, DoneClosesThePanelOffTheShelvesAndShowOpensAFreshOne) {
    device->Show();
    device->SendValue(7);
    QPointer<QWidget> closed = panel();
    device->Done();
    EXPECT_FALSE(closed && closed->isVisible());
    EXPECT_TRUE(cabinet().shelves().listedCaptions().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());

    device->Show();
    ASSERT_NE(panel(), nullptr);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(valueLabel()->text(), QStringLiteral("--.--"));
    device->Done();
    device->Done(); // twice is harmless
}

TEST_F(VirtualDeviceTest, APanelPutAwayIntoAFullCabinetComesBackWithShow) {
    std::vector<std::unique_ptr<QWidget>> others;
    for (int shelf = 0; shelf < 30; ++shelf) {
        others.push_back(std::make_unique<QWidget>());
        cabinet().addToCabinet(*others.back(), QStringLiteral("shelf %1").arg(shelf));
    }
    device->setCabReference(QStringLiteral("31st"));
    device->setLeft(1500);
    device->setTop(1500);
    device->Show();
    click(picture("picClipControl"));
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_FALSE(cabinet().shelves().listedCaptions().contains(QStringLiteral("31st")));

    device->Show();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(panel()->geometry(), QRect(100, 100, 300, 150));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(VirtualDeviceTest, ReleasingTheObjectClosesItsPanel) {
    QPointer<QWidget> window = panel();
    device->Show();
    device.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(VirtualDeviceTest, ThePanelAsTheOperatorSeesIt) {
    device->setCaption(QStringLiteral("Output ripple, read on the scope"));
    device->setSuffix(QStringLiteral("mV"));
    device->setMin(0);
    device->setMax(50);
    device->Show();
    device->SendValue(1234567.891);
    EXPECT_TRUE(textFits(valueLabel()));
    EXPECT_EQ(valueLabel()->text(), QStringLiteral("1,234,567.89 mV"));
    snapshot(panel(), QStringLiteral("frmVirtualDevice-fail"));
    device->SendValue(38, 1);
    EXPECT_TRUE(textFits(valueLabel()));
    snapshot(panel(), QStringLiteral("frmVirtualDevice-pass"));
}

} // namespace
