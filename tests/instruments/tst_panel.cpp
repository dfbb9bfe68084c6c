// The real panel on the simulated bus: its controls, placement, cabinet and
// closing question.

#include "GpibFixture.h"

#include "frame/Clock.h"
#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "instruments/XQGPIB32Private.h"
#include "ui/Cabinet.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <XQTestDev/XQGPIB32.h>

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QByteArray Bench = "[device DMM]\naddress = 22\n"
                         "idn = ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04\n"
                         "query MEAS:VOLT:DC? = number 5.012 noise 0.004\n";

class PanelTest : public SimulatedBusTest {
protected:
    void SetUp() override {
        SimulatedBusTest::SetUp();
        describeBus(Bench);
        device.setDeviceName(QStringLiteral("DMM"));
        device.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
        device.setUnit(QStringLiteral("V"));
        device.setPanelOption(QStringLiteral("DC volts"));
        device.setPanelParameter(QStringLiteral("Range 10 V"));
        device.setPanelStatus(QStringLiteral("Remote"));
    }
    DevicePanel& panel() { return XQGPIB32Private::of(device).panel(); }
    template <typename T> T* control(const char* name) {
        return panel().findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) { return control<QLabel>(name)->text(); }

    XQGPIB32 device;
};

TEST_F(PanelTest, AFreshPanelHasItsNamedControlsAndInitialTexts) {
    EXPECT_EQ(panel().objectName(), QStringLiteral("frmPanelDevice"));
    EXPECT_TRUE(panel().isWindow());
    EXPECT_EQ(text("lblBrandModel"), QStringLiteral("Brand  Model"));
    EXPECT_EQ(text("lblOptions"), QStringLiteral("CH A"));
    EXPECT_EQ(text("lblParameter"), QStringLiteral("Parameter"));
    EXPECT_EQ(text("lblStatus"), QStringLiteral("Remote"));
    EXPECT_EQ(text("lblReadValue"), QStringLiteral("--.--"));
    for (const char* name : {"imgLED", "imgLED1", "picClipControl", "picClipControl1"})
        EXPECT_FALSE(control<QLabel>(name)->pixmap().isNull()) << name;
    for (const char* name : {"shpFrame", "shpMainFrame"})
        EXPECT_NE(control<QWidget>(name), nullptr) << name;
    auto* timer = control<ClockTimer>("tmrReadValueInterval");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 0);
    auto* menu = control<QMenu>("mnuXQGPIB");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Hide"));
    EXPECT_EQ(menu->actions().front()->objectName(), QStringLiteral("mnuHide"));
    EXPECT_EQ(device.PanelHeight(), toTwipsY(panel().height()));
}

TEST_F(PanelTest, ExecuteShowsTheIdentifiedInstrumentAndItsReading) {
    device.setDigitColor(0x0000FF); // red, as 0x00BBGGRR
    device.Execute();
    ASSERT_TRUE(panel().isVisible());
    EXPECT_EQ(text("lblBrandModel"), QStringLiteral("ORVANTA INSTRUMENTS DM-3065"));
    EXPECT_EQ(text("lblOptions"), QStringLiteral("DC volts"));
    EXPECT_EQ(text("lblParameter"), QStringLiteral("Range 10 V"));
    EXPECT_TRUE(text("lblReadValue").endsWith(QStringLiteral(" V")))
        << text("lblReadValue").toStdString();
    EXPECT_NEAR(device.Value(), 5.012, 0.005);
    EXPECT_TRUE(control<QLabel>("lblReadValue")->styleSheet().contains(QStringLiteral("#ff0000")));
    EXPECT_EQ(device.CabReference(), QStringLiteral("ORVANTA INSTRUMENTS DM-3065"));
    EXPECT_TRUE(existingStatusWindow()->isVisible());
    EXPECT_TRUE(recorder->messages.empty());
    panel().grab().save(root() + QStringLiteral("panel.png"));
    if (qEnvironmentVariableIsSet("XQ_KEEP_PANEL_PNG")) { // for a look by eye
        panel().grab().save(qEnvironmentVariable("XQ_KEEP_PANEL_PNG"));
        existingStatusWindow()->grab().save(qEnvironmentVariable("XQ_KEEP_PANEL_PNG") +
                                            QStringLiteral(".status.png"));
    }
}

TEST_F(PanelTest, RightDownPlacesAtTheLowerRightAndStoresThePlace) {
    device.setPanelPosition(RightDown);
    device.Show();
    const int width = device.PanelWidth();
    const int height = device.PanelHeight();
    EXPECT_EQ(device.PanelPosition(), RightDown);
    EXPECT_DOUBLE_EQ(device.PanelLeft().toDouble(), library().screenWidth - width);
    EXPECT_DOUBLE_EQ(device.PanelTop().toDouble(), library().screenHeight - height - 100);
    EXPECT_EQ(windowPositionTwips(panel()).x(), toTwipsX(toPixelsX(library().screenWidth - width)));
}

TEST_F(PanelTest, ATopOf500MakesThePositionManual) {
    device.setPanelPosition(Center);
    device.setPanelTop(500);
    EXPECT_EQ(device.PanelPosition(), 0);
    device.Show();
    EXPECT_EQ(windowPositionTwips(panel()), QPoint(0, 495)); // 500 twips on a 15-twip grid
}

TEST_F(PanelTest, ANeverPlacedPanelShowsAtTheTopLeft) {
    device.Show();
    EXPECT_EQ(windowPositionTwips(panel()), QPoint(0, 0));
}

TEST_F(PanelTest, TheRoundButtonPutsThePanelAwayAndShowTakesItOut) {
    device.Execute();
    auto* released = control<QLabel>("picClipControl");
    QTest::mousePress(released, Qt::LeftButton);
    EXPECT_FALSE(released->isVisible()); // the pressed picture shows
    QTest::mouseRelease(released, Qt::LeftButton);
    QTRY_VERIFY(cabinet().isPutAway(panel()));
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(cabinet().shelves().at(0).caption, QStringLiteral("ORVANTA INSTRUMENTS DM-3065"));

    device.Show();
    QTRY_VERIFY(panel().isVisible());
    EXPECT_FALSE(cabinet().isPutAway(panel()));
    int panels = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        panels += window->objectName() == QStringLiteral("frmPanelDevice") ? 1 : 0;
    EXPECT_EQ(panels, 1);
}

TEST_F(PanelTest, TheRightButtonMenuPutsThePanelAwayWhileNoWindowComesForward) {
    device.Execute();
    auto* released = control<QLabel>("picClipControl");
    bool suspendedInMenu = false;
    bool releasedHiddenInMenu = false;
    whenPopupShows(QStringLiteral("mnuHide"), [&](QMenu*) {
        suspendedInMenu = library().onTopSuspended;
        releasedHiddenInMenu = !released->isVisible();
    });
    QTest::mousePress(released, Qt::RightButton);
    EXPECT_TRUE(suspendedInMenu);
    EXPECT_TRUE(releasedHiddenInMenu);
    EXPECT_FALSE(library().onTopSuspended);
    QTRY_VERIFY(cabinet().isPutAway(panel()));
    EXPECT_FALSE(released->isHidden()); // the released picture is back
}

TEST_F(PanelTest, TheOperatorDragsThePanelByItsLabels) {
    device.Show();
    const QPoint before = panel().pos();
    auto* label = control<QLabel>("lblReadValue");
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 30), label->mapToGlobal(QPointF(40, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(panel().pos(), before + QPoint(30, 20));
}

TEST_F(PanelTest, HideHidesAtOnceAndDoneUnloads) {
    device.Execute();
    device.Hide();
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(cabinet().isPutAway(panel()));
    device.Show();
    QPointer<DevicePanel> loaded(&panel());
    device.Done();
    QTRY_VERIFY(loaded.isNull());
}

// The operator closes the panel from its window menu.
void closeAsOperator(QWidget& window) {
    window.close();
}

TEST_F(PanelTest, AnsweringNoToTheClosingQuestionKeepsItReading) {
    device.setReadInterval(100);
    device.Execute();
    recorder->answers = {ResultNo};
    closeAsOperator(panel());
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(recorder->messages.front().text,
              QStringLiteral("Are you sure to close the GPIB instrument DMM?"));
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Question);
    EXPECT_EQ(recorder->messages.front().buttons, MessageButtons::YesNo);
    EXPECT_TRUE(panel().isVisible());
    EXPECT_TRUE(control<ClockTimer>("tmrReadValueInterval")->isActive());

    recorder->answers = {ResultYes};
    QPointer<DevicePanel> loaded(&panel());
    closeAsOperator(*loaded);
    QTRY_VERIFY(loaded.isNull());
}

TEST_F(PanelTest, StatusHideShowsNoStatusWindowAndWritesNoLine) {
    device.setStatusHide(true);
    device.Execute();
    ASSERT_NE(existingStatusWindow(), nullptr); // placing it makes it exist
    EXPECT_FALSE(existingStatusWindow()->isVisible());
    for (int line = 0; line < StatusWindow::LineCount; ++line)
        EXPECT_TRUE(statusLine(line).isEmpty()) << line;
}

TEST_F(PanelTest, StatusPlacementIsSharedByEveryObject) {
    XQGPIB32 other;
    other.setStatusPosition(CenterUp);
    EXPECT_EQ(device.StatusPosition(), CenterUp);
    device.Execute();
    const double left = (library().screenWidth - device.StatusWidth()) / 2.0;
    EXPECT_DOUBLE_EQ(other.StatusLeft().toDouble(), static_cast<float>(left));
    EXPECT_DOUBLE_EQ(other.StatusTop().toDouble(), 0.0);
    other.setStatusTop(1200);
    EXPECT_EQ(device.StatusPosition(), 0);
}

} // namespace
