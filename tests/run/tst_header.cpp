// The header window as the operator sees it: its labels, page controls,
// placement, clock, pictures and status.

#include "HeaderFixture.h"
#include "frame/Clock.h"
#include "frame/ScreenUnits.h"
#include "run/GroupWindow.h"
#include "run/HeaderModel.h"
#include "support/ColourVision.h"

#include <QDir>
#include <QSignalSpy>

#include <QGraphicsOpacityEffect>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

// The visibility of a picture after each of `ticks` clock ticks.
QList<bool> visibilityPerTick(HeaderWindow& w, QLabel* picture, int ticks) {
    QList<bool> seen;
    const QMetaObject::Connection watching = QObject::connect(
        &w.clockTimer(), &ClockTimer::timeout, [&] { seen << picture->isVisibleTo(&w); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() >= ticks; }, 5000));
    QObject::disconnect(watching);
    return seen.mid(0, ticks);
}

// The verdict badge per tick: "hidden", "bright" or "dim".
QStringList badgePerTick(HeaderWindow& w, QLabel* badge, int ticks) {
    QStringList seen;
    const QMetaObject::Connection watching =
        QObject::connect(&w.clockTimer(), &ClockTimer::timeout, [&] {
            const auto* opacity = static_cast<QGraphicsOpacityEffect*>(badge->graphicsEffect());
            seen << (!badge->isVisibleTo(&w)             ? QStringLiteral("hidden")
                     : opacity && opacity->opacity() < 1 ? QStringLiteral("dim")
                                                         : QStringLiteral("bright"));
        });
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() >= ticks; }, 5000));
    QObject::disconnect(watching);
    return seen.mid(0, ticks);
}

// Bright and dim by turns, never hidden.
bool blinksVisibly(const QStringList& states) {
    for (qsizetype i = 0; i < states.size(); ++i) {
        if (states[i] == QLatin1String("hidden") || (i > 0 && states[i] == states[i - 1]))
            return false;
    }
    return states.size() > 1;
}

bool alternates(const QList<bool>& states) {
    for (qsizetype i = 1; i < states.size(); ++i) {
        if (states[i] == states[i - 1])
            return false;
    }
    return states.size() > 1;
}

TEST_F(HeaderTest, ShowMenuShowsWhoTestsWhichUnit) {
    writeIni(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\n");
    writeFile(resultsFile(), "[ATE Configuration]\r\nTestSoftwareVersion=PSU-TP 2.1\r\n");
    menu->ShowMenu();

    ASSERT_TRUE(window().isVisible());
    EXPECT_EQ(window().objectName(), QStringLiteral("frmHeaderMenu"));
    EXPECT_EQ(label("lblProductName"), QStringLiteral("PSU"));
    EXPECT_EQ(label("lblCustomerName"), QStringLiteral("Acme Power"));
    EXPECT_EQ(label("lblCustomerPN"), QStringLiteral("UUT P/N: PN-5V-10A"));
    EXPECT_EQ(label("lblATEID"), QStringLiteral("Tester ID: ATE-07"));
    EXPECT_EQ(label("lblOperatorID"), QStringLiteral("Operator ID: OP01"));
    EXPECT_EQ(label("lblSerialNumber"), QStringLiteral("UUT S/N: SN-0001"));
    EXPECT_EQ(label("lblTestID"), QStringLiteral("Test ID: FINAL"));
    EXPECT_EQ(label("lblSWVersion"), QStringLiteral("S/W Rev: PSU-TP 2.1"));
    EXPECT_EQ(runModel().softwareVersion, QStringLiteral("PSU-TP 2.1"));
    EXPECT_EQ(label("lblHPU_0"), QStringLiteral("HPU:"));
    EXPECT_EQ(label("lblHPU_1"), QStringLiteral("00:00:00"));
    EXPECT_EQ(menu->HPU(), QTime(0, 0));
    EXPECT_EQ(label("lblNetwork"), QStringLiteral("Alarm"));
    EXPECT_TRUE(runLooksIdle());
    EXPECT_TRUE(button("cmdStartTest")->hasFocus() || !QApplication::focusWindow());
    EXPECT_FALSE(picture("imgPass")->isVisible());
    EXPECT_FALSE(picture("imgFail")->isVisible());
    // A single page needs no page controls.
    for (const char* name : {"lblpages", "lblCurrPage", "lblof", "lblTotalPage"})
        EXPECT_FALSE(picture(name)->isVisible()) << name;
    EXPECT_FALSE(button("cmdNext")->isVisible());
    EXPECT_FALSE(button("cmdPrevious")->isVisible());
    EXPECT_EQ(windowPositionTwips(window()), QPoint(0, 0));
    EXPECT_EQ(windowSizeTwips(window()).height(), 1725);

    EXPECT_NE(window().findChild<ClockTimer*>(QStringLiteral("tmrTime")), nullptr);
    window().grab().save(QDir::tempPath() + QStringLiteral("/xq-header-idle.png"));
}

TEST_F(HeaderTest, ContextMenuListsItsEntriesWithSeparators) {
    auto* contextMenu = window().findChild<QMenu*>(QStringLiteral("mnuXQTestMenu"));
    ASSERT_NE(contextMenu, nullptr);
    QStringList shown;
    for (QAction* action : contextMenu->actions())
        shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(shown, (QStringList{"Open ATE.INI", "Open PRODUCTS.INI", "Open Last Report", "-",
                                  "Calibration", "Diagnostic", "-", "Show Cabinet", "-", "Hide",
                                  "-", "About"}));
}

// Seven groups of ten lines: one window per column, three per page, three
// pages on the 602-pixel test screen.
class PagedHeaderTest : public HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        writeGroups(7, 10);
        menu->ShowMenu();
    }
    QList<int> visibleWindows() {
        QList<int> shown;
        const auto& windows = runSession().groupWindows;
        for (int i = 0; i < windows.size(); ++i) {
            if (windows[i]->isVisible())
                shown << i;
        }
        return shown;
    }
};

TEST_F(PagedHeaderTest, PageButtonsTurnThePagesAndTellTheStation) {
    QSignalSpy next(menu.get(), &XQMenu32::PageNextClick);
    QSignalSpy previous(menu.get(), &XQMenu32::PagePreviousClick);
    EXPECT_TRUE(button("cmdNext")->isVisible());
    EXPECT_EQ(label("lblCurrPage") + label("lblof") + label("lblTotalPage"),
              QStringLiteral("1of3"));
    EXPECT_TRUE(button("cmdNext")->isEnabled());
    EXPECT_FALSE(button("cmdPrevious")->isEnabled());

    press("cmdNext");
    EXPECT_EQ(visibleWindows(), (QList<int>{3, 4, 5}));
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("2"));
    EXPECT_TRUE(button("cmdPrevious")->isEnabled());
    ASSERT_EQ(next.size(), 1);
    EXPECT_EQ(next.front().front().toString(), QStringLiteral("PSU"));

    // The picture over the button acts like it.
    QTest::mouseClick(picture("imgNext"), Qt::LeftButton);
    EXPECT_EQ(visibleWindows(), QList<int>{6});
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("3"));
    EXPECT_FALSE(button("cmdNext")->isEnabled());
    EXPECT_TRUE(picture("imgNext2")->isVisible());
    EXPECT_FALSE(picture("imgNext")->isVisible());
    EXPECT_EQ(next.size(), 2);

    // A disabled Next does nothing, through its picture neither.
    QTest::mouseClick(picture("imgNext2"), Qt::LeftButton);
    EXPECT_EQ(next.size(), 2);

    press("cmdPrevious");
    EXPECT_EQ(visibleWindows(), (QList<int>{3, 4, 5}));
    ASSERT_EQ(previous.size(), 1);
    EXPECT_EQ(previous.front().front().toString(), QStringLiteral("PSU"));
    window().grab().save(QDir::tempPath() + QStringLiteral("/xq-header-pages.png"));
}

TEST_F(PagedHeaderTest, SendDataShowsThePageOfItsGroupInTheHeader) {
    menu->SendData(QStringLiteral("G6"), QStringLiteral("P0"), 1.5);
    EXPECT_EQ(visibleWindows(), QList<int>{6});
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("3"));
    EXPECT_FALSE(button("cmdNext")->isEnabled());
    EXPECT_TRUE(button("cmdPrevious")->isEnabled());
    // Without MovePage the page stays.
    menu->SendData(QStringLiteral("G0"), QStringLiteral("P0"), 1.5, false);
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("3"));
}

// Failures on a page the operator is not looking at are found: the page
// buttons carry a mark (a sign, not a colour) towards them, and the end of
// the run turns to the first page that holds one.
TEST_F(PagedHeaderTest, AfterStopTestTheFirstPageWithAFailureIsShownAndMarked) {
    QLabel* towardsNext = picture("cmdNextFailed");
    QLabel* towardsPrevious = picture("cmdPreviousFailed");
    ASSERT_NE(towardsNext, nullptr);
    ASSERT_NE(towardsPrevious, nullptr);
    EXPECT_FALSE(towardsNext->isVisibleTo(&window()));

    menu->SendData(QStringLiteral("G0"), QStringLiteral("P0"), 1.5, false);
    menu->SendData(QStringLiteral("G4"), QStringLiteral("P0"), 9.0, false);
    menu->SendData(QStringLiteral("G6"), QStringLiteral("P0"), 9.0, false);
    EXPECT_EQ(visibleWindows(), (QList<int>{0, 1, 2}));
    EXPECT_TRUE(towardsNext->isVisibleTo(&window())) << "failures wait on later pages";
    EXPECT_EQ(towardsNext->text(), QStringLiteral("\u2717"));
    EXPECT_FALSE(towardsPrevious->isVisibleTo(&window()));
    EXPECT_FALSE(button("cmdNext")->toolTip().isEmpty());

    press("cmdNext");
    press("cmdNext");
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("3"));
    EXPECT_TRUE(towardsPrevious->isVisibleTo(&window()));
    EXPECT_FALSE(towardsNext->isVisibleTo(&window())) << "nothing after the last page";

    menu->StopTest();
    EXPECT_EQ(visibleWindows(), (QList<int>{3, 4, 5})) << "the first page with a failed line";
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("2"));
    EXPECT_TRUE(towardsNext->isVisibleTo(&window())) << "page 3 holds a failure too";
    EXPECT_FALSE(towardsPrevious->isVisibleTo(&window())) << "page 1 holds none";
    saveShotsForColourCheck(window(), QStringLiteral("header-failed-pages"));
}

TEST_F(PagedHeaderTest, AfterStopTestWithoutFailuresThePageStays) {
    press("cmdNext");
    menu->SendData(QStringLiteral("G3"), QStringLiteral("P0"), 1.5, false);
    menu->StopTest();
    EXPECT_EQ(label("lblCurrPage"), QStringLiteral("2"));
    EXPECT_FALSE(picture("cmdNextFailed")->isVisibleTo(&window()));
}

struct PositionCase {
    const char* name;
    int position;
    int expectedLeft; // twips; the test screen is 12000 wide, the header 11760
};

class MenuPositionTest : public HeaderTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(MenuPositionTest, PlacesHeaderAndGroupWindows) {
    const PositionCase& c = GetParam();
    menu->setMenuPosition(static_cast<MenuPositions>(c.position));
    menu->ShowMenu();
    EXPECT_EQ(static_cast<int>(menu->MenuPosition()), c.position);
    EXPECT_EQ(windowPositionTwips(window()).x(), c.expectedLeft);
    // The first column stands 20 twips right of the offset (of 1 when it is 0).
    const int firstColumn = windowPositionTwips(*runSession().groupWindows.front()).x();
    EXPECT_NEAR(firstColumn, std::max(1, c.expectedLeft) + 20, 15);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MenuPositionTest,
    ::testing::Values(PositionCase{"Left", MenuLeft, 0}, PositionCase{"Right", MenuRight, 240},
                      PositionCase{"Center", MenuCenter, 120}, PositionCase{"Zero", 0, 120},
                      PositionCase{"Seven", 7, 120}, PositionCase{"MinusOne", -1, 120}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(HeaderTest, MenuPositionNeverSetKeepsTheLeftEdge) {
    EXPECT_EQ(static_cast<int>(menu->MenuPosition()), 0);
    menu->ShowMenu();
    EXPECT_EQ(windowPositionTwips(window()).x(), 0);
    EXPECT_NEAR(windowPositionTwips(*runSession().groupWindows.front()).x(), 21, 15);
}

// ---- The clock -------------------------------------------------------------

TEST_F(HeaderTest, ClockShowsTimeRunDataAndElapsedTime) {
    ManualClock clock(QDateTime(QDate(2024, 3, 4), QTime(14, 5)));
    menu->ShowMenu();
    runModel().run.startTime = clock.now().addSecs(-65);
    header().setRunEnded(false);
    menu->setSerialNumber(QStringLiteral("SN-0002"));
    EXPECT_EQ(label("lblHPU_1"), QStringLiteral("00:00:00"));
    clock.advance(20);
    EXPECT_EQ(label("lblSerialNumber"), QStringLiteral("UUT S/N: SN-0002"));
    EXPECT_EQ(label("lblHPU_1"), QStringLiteral("00:01:05"));
    EXPECT_EQ(menu->HPU(), QTime(0, 1, 5));
    const QString shown = label("lblCurrentTime");
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} \\d{1,2}, \\d{2} \\d{2}:\\d{2} (AM|PM)$"))
            .match(shown)
            .hasMatch())
        << shown.toStdString();
    clock.advance(2000);
    EXPECT_EQ(label("lblHPU_1"), QStringLiteral("00:01:07"));
    EXPECT_EQ(menu->HPU(), QTime(0, 1, 7));

    // After the run the elapsed time stands still, on screen and for HPU.
    menu->StopTest();
    runModel().run.startTime = runModel().run.startTime.addSecs(-3600);
    clock.advance(5000);
    EXPECT_EQ(label("lblHPU_1"), QStringLiteral("00:01:07"));
    EXPECT_EQ(menu->HPU(), QTime(0, 1, 7));
}

TEST_F(HeaderTest, VerdictPictureBlinksAndHidePassFailKeepsBothHidden) {
    menu->ShowMenu();
    menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
    EXPECT_TRUE(blinksVisibly(badgePerTick(window(), picture("imgPass"), 4)));
    EXPECT_FALSE(picture("imgFail")->isVisibleTo(&window()));

    menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 9.0);
    EXPECT_TRUE(blinksVisibly(badgePerTick(window(), picture("imgFail"), 4)));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("FAIL"));

    menu->HidePassFail();
    EXPECT_EQ(badgePerTick(window(), picture("imgFail"), 3), QStringList(3, "hidden"));
    EXPECT_FALSE(picture("imgPass")->isVisibleTo(&window()));
    EXPECT_EQ(menu->OverallPassFail(), QStringLiteral("FAIL"));
    menu->ShowPassFail();
    EXPECT_TRUE(blinksVisibly(badgePerTick(window(), picture("imgFail"), 4)));
}

// One clock only: a TESTING value toggles once per tick, not twice.
TEST_F(HeaderTest, TestingValueBlinksOncePerTick) {
    menu->ShowMenu();
    press("cmdStartTest");
    menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"),
                   QStringLiteral("TESTING"));
    auto* value =
        runSession().groupWindows.front()->findChild<QLabel*>(QStringLiteral("lblValue_0"));
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(alternates(visibilityPerTick(window(), value, 4)));
}

struct StatusCase {
    const char* name;
    const char* driveSetting; // "<folder>", "<missing>", "<file>" or as written
    const char* lastDatabase;
    const char* picture;
    bool blinks;
};

class NetworkStatusTest : public HeaderTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(NetworkStatusTest, ShowsDriveAndDatabaseState) {
    const StatusCase& c = GetParam();
    QString drive = QString::fromUtf8(c.driveSetting);
    if (drive == QLatin1String("<folder>"))
        drive = root();
    else if (drive == QLatin1String("<missing>"))
        drive = root() + QStringLiteral("no-such-share");
    else if (drive == QLatin1String("<file>"))
        drive = iniDir() + QStringLiteral("ATE.INI");
    writeIni(QStringLiteral("ATE.INI"),
             "[ATE Configuration]\r\nID=ATE-07\r\nCheckNetworkDrive=" + drive.toUtf8() + "\r\n");
    menu->ShowMenu();
    writeFile(resultsFile(),
              "[PSU Test Results]\r\nLastAccessDatabase=" + QByteArray(c.lastDatabase) + "\r\n");
    const QList<bool> seen = visibilityPerTick(window(), picture(c.picture), 4);
    EXPECT_EQ(alternates(seen), c.blinks);
    EXPECT_TRUE(seen.contains(true));
    for (const char* other :
         {"imgAllOK", "imgSQLFailed", "imgNWDriveFailed", "imgAllFailed", "imgUnknownStatus"}) {
        if (QLatin1String(other) != QLatin1String(c.picture)) {
            EXPECT_FALSE(picture(other)->isVisibleTo(&window())) << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NetworkStatusTest,
    ::testing::Values(StatusCase{"BothAvailable", "<folder>", "PASS", "imgAllOK", false},
                      StatusCase{"NoCheckNoDatabaseYet", "", "", "imgAllOK", false},
                      StatusCase{"DatabaseFailed", "<folder>", "FAIL", "imgSQLFailed", true},
                      StatusCase{"DriveMissing", "<missing>", "PASS", "imgNWDriveFailed", true},
                      StatusCase{"DriveIsAFile", "<file>", "PASS", "imgNWDriveFailed", true},
                      StatusCase{"BothFailed", "<missing>", "FAIL", "imgAllFailed", true}),
    [](const auto& param) { return std::string(param.param.name); });

struct ElapsedCase {
    const char* name;
    qint64 secondsBeforeNow; // the run's start; < 0 after now
    bool startSet;
    const char* expected;
};

class ElapsedTimeTest : public ::testing::TestWithParam<ElapsedCase> {};

TEST_P(ElapsedTimeTest, ReadsAsATimeOfDay) {
    const ElapsedCase& c = GetParam();
    const QDateTime now(QDate(2026, 3, 7), QTime(14, 5, 9));
    const QDateTime start = c.startSet ? now.addSecs(-c.secondsBeforeNow) : QDateTime();
    const QString text = elapsedText(start, now);
    EXPECT_EQ(text, QString::fromLatin1(c.expected));
    EXPECT_EQ(elapsedFromText(text), QTime::fromString(QString::fromLatin1(c.expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElapsedTimeTest,
    ::testing::Values(ElapsedCase{"AtStart", 0, true, "00:00:00"},
                      ElapsedCase{"OneHourAndMore", 3600 + 62, true, "01:01:02"},
                      ElapsedCase{"NoStartTime", 0, false, "00:00:00"},
                      ElapsedCase{"ClockSetBack", -30, true, "00:00:00"},
                      ElapsedCase{"PastADay", 24 * 3600 + 5, true, "00:00:05"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(HeaderClockText, IsEnglishWithTwelveHours) {
    EXPECT_EQ(headerClockText(QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9))),
              QStringLiteral("Mar 7, 26 02:05 PM"));
    EXPECT_EQ(headerClockText(QDateTime(QDate(2026, 12, 25), QTime(0, 30))),
              QStringLiteral("Dec 25, 26 12:30 AM"));
}

TEST(NetworkStatusCounter, TestsTheDriveAtTheFirstAndEvery451stRefresh) {
    NetworkStatus status;
    int asked = 0;
    for (int refresh = 1; refresh <= 903; ++refresh)
        status.refresh(
            [&] {
                ++asked;
                return QString();
            },
            false);
    EXPECT_EQ(asked, 3); // refreshes 1, 452 and 903
}

} // namespace
