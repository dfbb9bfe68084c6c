#include "RunFixture.h"
#include "frame/OperatorPrompt.h"
#include "frame/ScreenUnits.h"
#include "run/GroupWindow.h"
#include "run/MenuBuild.h"
#include "run/MenuPages.h"
#include "support/ModalDriver.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <XQTestDev/XQMenu32.h>

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class MenuTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        menu = std::make_unique<XQMenu32>();
    }
    void TearDown() override {
        menu.reset();
        RunTest::TearDown();
    }

    void writeStation() {
        writeSpec({"VIN,11.4,12.6,12,V,Power,Input voltage,", "IIN,,0.5,,A,Power,Input current,",
                   "PG,,,,,Power,Power good,FLAG", "VOUT,4.75,5.25,5,V,Output,Output voltage,",
                   "RIP,N/A,50,,mV,Output,Ripple,", "<EOT>"});
    }

    QList<QPointer<GroupWindow>>& windows() { return runSession().groupWindows; }
    GroupWindow* window(int i) { return windows().at(i).data(); }

    QString text(GroupWindow* w, const char* name) {
        auto* label = childNamed<QLabel>(w, QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<none>");
    }

    QList<int> visibleWindows() {
        QList<int> shown;
        for (int i = 0; i < windows().size(); ++i) {
            if (window(i)->isVisible())
                shown << i;
        }
        return shown;
    }

    // Clicks a group's Start, answering the question with OK or Cancel.
    void startGroup(GroupWindow* w, const char* answer) {
        whenModalShows([answer](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), QStringLiteral("frmGeneralInfoBox"));
            if (auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage")))
                lastQuestion = message->toPlainText();
            clickButton(dialog, QString::fromLatin1(answer));
        });
        clickButton(w, QStringLiteral("cmdStart"));
    }

    static inline QString lastQuestion;
    std::unique_ptr<XQMenu32> menu;
};

constexpr const char* OK = "cmdButtonSet_2";
constexpr const char* Cancel = "cmdButtonSet_0";

// ---- Building -------------------------------------------------------------

TEST_F(MenuTest, BuildsOneWindowPerGroupWithItsRows) {
    writeStation();
    menu->ShowMenu();
    ASSERT_EQ(windows().size(), 2);
    EXPECT_TRUE(recorder->messages.empty());
    GroupWindow* power = window(0);
    EXPECT_EQ(power->objectName(), QStringLiteral("frmTestMenu"));
    EXPECT_TRUE(power->isWindow());
    EXPECT_EQ(text(power, "lblTestGroup"), QStringLiteral("Power"));
    EXPECT_EQ(text(power, "lblMin"), QStringLiteral("Min."));
    EXPECT_EQ(text(power, "lblMax"), QStringLiteral("Max."));
    EXPECT_EQ(childNamed<QPushButton>(power, QStringLiteral("cmdStart"))->text(),
              QStringLiteral("Start"));
    EXPECT_NE(childNamed<QFrame>(power, QStringLiteral("shpFrameMain")), nullptr);
    EXPECT_EQ(text(power, "lblTestPara_0"), QStringLiteral("Input voltage"));
    EXPECT_EQ(text(power, "lblSpecMin_0"), QStringLiteral("11.4"));
    EXPECT_EQ(text(power, "lblSpecMax_0"), QStringLiteral("12.6"));
    EXPECT_EQ(text(power, "lblUnit_0"), QStringLiteral("V"));
    EXPECT_EQ(text(power, "lblSpecMin_1"), QStringLiteral("----"));
    EXPECT_EQ(text(power, "lblSpecMax_1"), QStringLiteral("0.5"));
    EXPECT_EQ(text(power, "lblValue_0"), QString());
    EXPECT_NE(childNamed<QFrame>(power, QStringLiteral("shpFrame_14")), nullptr);
    EXPECT_FALSE(childNamed<QLabel>(power, QStringLiteral("lblTestPara_3"))->isVisibleTo(power));
    EXPECT_EQ(text(window(1), "lblSpecMin_1"), QStringLiteral("----"));
    EXPECT_EQ(visibleWindows(), (QList<int>{0, 1}));
}

// The measured screen is 12000 x 9000 twips: ten rows, windows side by side
// under the header.
TEST_F(MenuTest, WindowsAreSizedAndPlacedInTwips) {
    writeStation();
    menu->ShowMenu();
    const QSize size = windowSizeTwips(*window(0));
    EXPECT_EQ(size.width(), 3900);
    EXPECT_EQ(size.height(), toTwipsY(toPixelsY(6630 - 7 * 600 - 15)));
    EXPECT_EQ(window(0)->pos(), QPoint(toPixelsX(21), toPixelsY(1725)));
    EXPECT_EQ(window(1)->pos(), QPoint(toPixelsX(3921), toPixelsY(1725)));
}

TEST_F(MenuTest, SevenFullGroupsMakeThreePagesOnAShortScreen) {
    library().screenHeight = 11490;
    writeGroups(7, 10);
    menu->ShowMenu();
    ASSERT_EQ(windows().size(), 7);
    EXPECT_EQ(runModel().layout.pageTable, (QList<int>{2, 5, 6}));
    EXPECT_EQ(windowSizeTwips(*window(6)).height(), toTwipsY(toPixelsY(6615)));
    EXPECT_EQ(visibleWindows(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(window(3)->pos(), window(0)->pos()) << "pages share their positions";

    EXPECT_FALSE(menu->SendData(QStringLiteral("G4"), QStringLiteral("P0"), 9.0));
    EXPECT_EQ(visibleWindows(), (QList<int>{3, 4, 5}));
    EXPECT_TRUE(menu->SendData(QStringLiteral("G6"), QStringLiteral("P9"), 1.5));
    EXPECT_EQ(visibleWindows(), QList<int>{6});
    EXPECT_TRUE(menu->SendData(QStringLiteral("G0"), QStringLiteral("P1"), 1.5, false));
    EXPECT_EQ(visibleWindows(), QList<int>{6}) << "MovePage False keeps the page";
}

TEST_F(MenuTest, TallScreenTakesFifteenRows) {
    library().screenHeight = 11520;
    writeGroups(1, 16);
    menu->ShowMenu();
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(window(0)->rowCount(), 15);
    EXPECT_TRUE(window(0)->specError());
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("Test description number is exceed than 16!")});
    // The message names no group: the status window says which.
    StatusWindow* status = existingStatusWindow();
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->line(3).contains(QStringLiteral("\"G0\"")))
        << status->line(3).toStdString();
    EXPECT_TRUE(status->line(3).contains(QStringLiteral("\"PSU\"")));
    EXPECT_EQ(windowSizeTwips(*window(0)).height(), toTwipsY(toPixelsY(9615)));
    EXPECT_FALSE(window(0)->isVisible()) << "a group with an error stays hidden at first";
    showMenuPage(0);
    EXPECT_TRUE(window(0)->isVisible()) << "turning to its page shows it";
}

TEST_F(MenuTest, FiftyGroupsOf498Lines) {
    QByteArray text = "[PSU Spec]\r\n";
    for (int n = 1; n <= 498; ++n)
        text += QByteArray::number(n) + "=F,1,2,,V,G" + QByteArray::number((n - 1) / 10) + ",P" +
                QByteArray::number(n) + ",\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text + "499=<EOT>\r\n");
    menu->ShowMenu();
    ASSERT_EQ(windows().size(), 50);
    EXPECT_EQ(runModel().layout.pageTable.size(), 17);
    EXPECT_EQ(window(49)->rowCount(), 8);
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_TRUE(menu->SendData(QStringLiteral("G49"), QStringLiteral("P498"), 2));
    EXPECT_EQ(result(498), QStringLiteral("2|Pass"));
    EXPECT_EQ(visibleWindows(), (QList<int>{48, 49}));
}

TEST_F(MenuTest, MissingEndTagBuildsNothingAndForgetsTheProduct) {
    QByteArray text = "[PSU Spec]\r\n";
    for (int n = 1; n <= 499; ++n)
        text += QByteArray::number(n) + "=F,1,2,,V,G,P\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text);
    menu->ShowMenu();
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_TRUE(runModel().run.product.isEmpty());
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("There is not found the End Of Test <EOT> tag!")});
}

TEST_F(MenuTest, ProductWithoutSpecSectionBuildsNothing) {
    writeIni(QStringLiteral("PRODUCTS.INI"), "[PSU]\r\nVersion=1\r\n[Other Spec]\r\n1=<EOT>\r\n");
    menu->ShowMenu();
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_TRUE(runModel().run.product.isEmpty());
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("There is not found the End Of Test <EOT> tag!")});
}

// A trailing blank stays in the window's title; recording trims both sides.
TEST_F(MenuTest, GroupNameWithTrailingBlank) {
    writeSpec({"VOUT,4.75,5.25,5,V,Output ,Output voltage,", "<EOT>"});
    menu->ShowMenu();
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(window(0)->groupName(), QStringLiteral("Output "));
    EXPECT_FALSE(menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5));
    EXPECT_TRUE(recorder->messages.empty()) << "the name is part of the order text";
    EXPECT_TRUE(menu->SendData(QStringLiteral("Output "), QStringLiteral("Output voltage"), 5));
    EXPECT_EQ(result(1), QStringLiteral("5|Pass"));
}

TEST_F(MenuTest, BuildWithoutProductFails) {
    writeStation();
    runModel().run.product.clear();
    QString order = QStringLiteral("unchanged");
    EXPECT_FALSE(buildTestMenu(true, order));
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_EQ(order, QStringLiteral("unchanged"));
}

TEST_F(MenuTest, SecondShowMenuKeepsTheWindows) {
    writeStation();
    menu->ShowMenu();
    const QPointer<GroupWindow> first = window(0);
    first->hide();
    menu->ShowMenu();
    EXPECT_EQ(window(0), first.data());
    EXPECT_TRUE(first->isVisible());
}

TEST_F(MenuTest, HideMenuClosesTheWindowsAndResetsTheRun) {
    writeStation();
    runModel().run.operatorId = QStringLiteral("OP01");
    menu->ShowMenu();
    ASSERT_TRUE(menu->SendData(QStringLiteral("Power"), QStringLiteral("Power good"), "pass"));
    const QPointer<GroupWindow> first = window(0);
    menu->HideMenu();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_TRUE(runModel().layout.pageTable.isEmpty());
    EXPECT_EQ(result(3), QStringLiteral("----|----"));
    EXPECT_EQ(result(QStringLiteral("OperatorID")), QStringLiteral("OP01"));
    EXPECT_FALSE(result(QStringLiteral("StartTestTime")).isEmpty());
    menu->ShowMenu();
    EXPECT_EQ(windows().size(), 2) << "the next ShowMenu builds again";
}

TEST_F(MenuTest, ReleasingTheMenuObjectReleasesItsWindows) {
    writeStation();
    menu->ShowMenu();
    const QPointer<GroupWindow> first = window(0);
    menu.reset();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(windows().isEmpty());
}

// ---- Group Start -----------------------------------------------------------

TEST_F(MenuTest, GroupStartAsksThenResetsOnlyThatGroup) {
    writeStation();
    QSignalSpy asked(&runModel(), &RunModel::groupStartRequested);
    menu->ShowMenu();
    ASSERT_TRUE(menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0));
    ASSERT_FALSE(menu->SendData(QStringLiteral("Power"), QStringLiteral("Power good"), "no"));
    ASSERT_TRUE(menu->SendData(QStringLiteral("Output"), QStringLiteral("Ripple"), 20));

    startGroup(window(0), Cancel);
    EXPECT_EQ(lastQuestion,
              QStringLiteral("\n\n\n\nWould you like to start group test of Power?."));
    EXPECT_EQ(text(window(0), "lblValue_0"), QStringLiteral("12 "));
    EXPECT_EQ(asked.size(), 0);
    EXPECT_EQ(result(1), QStringLiteral("12|Pass"));

    startGroup(window(0), OK);
    EXPECT_EQ(text(window(0), "lblValue_0"), QString());
    EXPECT_EQ(text(window(0), "lblValue_2"), QString());
    EXPECT_EQ(result(1), QStringLiteral("----|----"));
    EXPECT_EQ(result(2), QStringLiteral("----|----")) << "untested lines are written too";
    EXPECT_EQ(result(3), QStringLiteral("----|----")) << "a custom flag changes nothing";
    EXPECT_EQ(result(5), QStringLiteral("20|Pass"));
    EXPECT_EQ(text(window(1), "lblValue_1"), QStringLiteral("20 "));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.front().at(0).toString(), QStringLiteral("Power"));
}

TEST_F(MenuTest, PromptOffAtBuildStartsWithoutQuestion) {
    writeStation();
    QSignalSpy asked(&runModel(), &RunModel::groupStartRequested);
    menu->setEnableTestPrompt(false);
    menu->ShowMenu();
    menu->setEnableTestPrompt(true); // affects only windows built later
    EXPECT_FALSE(window(1)->promptEnabled());
    clickButton(window(1), QStringLiteral("cmdStart"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.front().at(0).toString(), QStringLiteral("Output"));
    EXPECT_EQ(result(4), QStringLiteral("----|----"));
}

TEST_F(MenuTest, FailedGroupResetChangesNothingOnScreen) {
    writeStation();
    QSignalSpy asked(&runModel(), &RunModel::groupStartRequested);
    menu->setEnableTestPrompt(false);
    menu->ShowMenu();
    ASSERT_TRUE(menu->SendData(QStringLiteral("Output"), QStringLiteral("Ripple"), 20));
    library().resultsDirectory = root() + QStringLiteral("gone/");
    clickButton(window(1), QStringLiteral("cmdStart"));
    EXPECT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(text(window(1), "lblValue_1"), QStringLiteral("20 "));
    EXPECT_EQ(asked.size(), 0);
}

// A station program may close the menu while a group start waits for the
// operator or shows a message; the start then ends without touching the
// closed window or the groups that went with it.
class MenuClosingPrompt : public OperatorPrompt {
public:
    explicit MenuClosingPrompt(std::unique_ptr<XQMenu32>& menu) : menu_(menu) {}
    bool askPassword(const QString&, QString&) override { return false; }
    bool confirm(const QString&) override {
        menu_.reset();
        return true;
    }

private:
    std::unique_ptr<XQMenu32>& menu_;
};

TEST_F(MenuTest, GroupStartEndsWhenTheMenuIsClosedDuringTheQuestion) {
    writeStation();
    QSignalSpy asked(&runModel(), &RunModel::groupStartRequested);
    menu->ShowMenu();
    MenuClosingPrompt prompt(menu);
    setOperatorPrompt(&prompt);
    clickButton(window(0), QStringLiteral("cmdStart"));
    setOperatorPrompt(nullptr);
    EXPECT_FALSE(menu);
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_EQ(asked.size(), 0);
}

TEST_F(MenuTest, GroupStartEndsWhenTheMenuIsClosedDuringAMessage) {
    writeStation();
    QSignalSpy asked(&runModel(), &RunModel::groupStartRequested);
    menu->setEnableTestPrompt(false);
    menu->ShowMenu();
    ASSERT_TRUE(menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0));
    // The reset reads the test lines again: a missing PRODUCTS.INI is reported
    // with a message, and the station program closes the menu there.
    QFile::remove(iniDir() + QStringLiteral("PRODUCTS.INI"));
    QStringList shown;
    setMessageHandler([&](const MessageRequest& request) {
        shown << request.text;
        menu.reset();
        return int(ResultOK);
    });
    clickButton(window(0), QStringLiteral("cmdStart"));
    recorder.reset();
    recorder = std::make_unique<RecordingMessages>();
    EXPECT_EQ(shown, QStringList{QStringLiteral(
                         "PRODUCTS.INI file is missing!, please check you INIPath property.")});
    EXPECT_FALSE(menu);
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_EQ(asked.size(), 0);
}

TEST_F(MenuTest, ShiftRightClickOnTheTitleTogglesTheFrame) {
    writeStation();
    menu->ShowMenu();
    GroupWindow* w = window(0);
    const QPoint at = w->pos();
    auto* title = childNamed<QLabel>(w, QStringLiteral("lblTestGroup"));
    QTest::mouseClick(title, Qt::RightButton);
    EXPECT_FALSE(w->isFramed()) << "without Shift nothing happens";
    QTest::mouseClick(title, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_TRUE(w->isFramed());
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" "));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(w->isVisible());
    QTest::mouseClick(title, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_FALSE(w->isFramed());
    EXPECT_TRUE(w->windowTitle().isEmpty());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->pos(), at);
}

TEST_F(MenuTest, DisabledGroupStartsStayDisabledAfterTheRun) {
    writeStation();
    menu->setDisableGroupTestButton(true);
    menu->ShowMenu();
    auto* start = childNamed<QPushButton>(window(0), QStringLiteral("cmdStart"));
    EXPECT_FALSE(start->isEnabled());
    menu->StopTest();
    EXPECT_FALSE(start->isEnabled());
    menu->setDisableGroupTestButton(false);
    EXPECT_FALSE(start->isEnabled()) << "applied at the next ShowMenu or run end";
    menu->StopTest();
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(result(QStringLiteral("EndTestTime")).isEmpty());
}

} // namespace
