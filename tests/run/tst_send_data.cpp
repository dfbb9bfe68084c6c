#include "RunFixture.h"
#include "frame/DurableFile.h"
#include "run/GroupWindow.h"
#include "run/OverallVerdict.h"
#include "run/ResultColours.h"
#include "run/RunSession.h"
#include "support/ModalDriver.h"

#include <XQTestDev/XQMenu32.h>

#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class SendDataTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        writeSpec({"VOUT,4.75,5.25,5.00,V,Output,Output voltage,", "ILIM,----,10,,A,Output,Limit,",
                   "VIN,11,,,V,Output,Input,", "IQ,,,,mA,Power,Idle current,",
                   "PG,N/A,N/A,,,Power,Power good,", "<EOT>"});
        menu.setEnableTestPrompt(false);
        menu.ShowMenu();
        ASSERT_EQ(runSession().groupWindows.size(), 2);
        recorder->messages.clear();
    }
    void TearDown() override {
        setWriteFaultHookForTesting({});
        RunTest::TearDown();
    }

    GroupWindow* window(int i) { return runSession().groupWindows.at(i).data(); }
    QLabel* label(int w, const QString& name) { return childNamed<QLabel>(window(w), name); }
    QLabel* value(int w, int row) { return label(w, QStringLiteral("lblValue_%1").arg(row)); }
    QColor shownColour(int w, int row) {
        return value(w, row)->palette().color(QPalette::WindowText);
    }
    QColor frameFill(int w, int row) {
        return childNamed<QFrame>(window(w), QStringLiteral("shpFrame_%1").arg(row))
            ->palette()
            .color(QPalette::Window);
    }

    XQMenu32 menu;
};

const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);
const QColor Green(0, 128, 0);

struct SendCase {
    const char* name;
    const char* parameter;
    QVariant result;
    bool returns;
    const char* shown;
    QColor colour;
    const char* recorded; // "<absent>" when not recorded
};

class Sending : public SendDataTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(Sending, ShowsJudgesAndRecords) {
    const SendCase& c = GetParam();
    const QString parameter = QString::fromUtf8(c.parameter);
    const int line = parameter == QStringLiteral("Output voltage") ? 1
                     : parameter == QStringLiteral("Limit")        ? 2
                                                                   : 3;
    EXPECT_EQ(menu.SendData(QStringLiteral("Output"), parameter, c.result), c.returns);
    const QString shown = QString::fromUtf8(c.shown);
    EXPECT_EQ(runModel().row({0, line - 1}).value, shown);
    EXPECT_EQ(value(0, line - 1)->toolTip(), shown.trimmed());
    EXPECT_EQ(shownColour(0, line - 1), c.colour);
    EXPECT_EQ(result(line), QString::fromUtf8(c.recorded));
    EXPECT_TRUE(recorder->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Sending,
    ::testing::Values(
        SendCase{"AtMaximum", "Output voltage", 5.25, true, "5.25 ", Black, "5.25|Pass"},
        SendCase{"JustAbove", "Output voltage", 5.2501, false, "5.2501 ", Red, "5.2501|Fail"},
        SendCase{"NumericText", "Output voltage", QStringLiteral("5.1"), true, "5.1 ", Black,
                 "5.1|Pass"},
        SendCase{"IntAtOnlyMax", "Limit", 10, true, "10 ", Black, "10|Pass"},
        SendCase{"AboveOnlyMax", "Limit", 10.1, false, "10.1 ", Red, "10.1|Fail"},
        SendCase{"FarBelowOnlyMax", "Limit", -1000, true, "-1000 ", Black, "-1000|Pass"},
        SendCase{"BelowOnlyMin", "Input", 10.99, false, "10.99 ", Red, "10.99|Fail"},
        SendCase{"PassWordAsTyped", "Output voltage", QStringLiteral(" On "), true, " On  ", Black,
                 "ON|Pass"},
        SendCase{"YesWord", "Output voltage", QStringLiteral("yes"), true, "yes ", Black,
                 "YES|Pass"},
        SendCase{"FailWord", "Output voltage", QStringLiteral("Off"), false, "Off ", Red,
                 "OFF|Fail"},
        SendCase{"OtherWord", "Output voltage", QStringLiteral("OPEN"), false, "OPEN ", Red,
                 "OPEN|Fail"},
        SendCase{"Testing", "Output voltage", QStringLiteral("Testing"), false, "Testing ", Green,
                 "<absent>"},
        SendCase{"EmptyText", "Output voltage", QStringLiteral(""), false, " ", Black, "<absent>"},
        SendCase{"EmptyVariant", "Output voltage", QVariant(), false, " ", Black, "<absent>"},
        SendCase{"Bool", "Output voltage", true, true, "True ", Black, "TRUE|Pass"},
        SendCase{"BarInText", "Output voltage", QStringLiteral("A|B"), false, "A|B ", Red,
                 "A/B|Fail"},
        SendCase{"Date", "Output voltage", QDateTime(QDate(2026, 2, 3), QTime(16, 0, 0)), false,
                 "02/03/2026 04:00:00 pm ", Red, "02/03/2026 04:00:00 PM|Fail"}),
    [](const auto& row) { return std::string(row.param.name); });

// A word where a number was expected is a failure, however it is spelt; on a
// line without numeric limits words keep their meaning.
struct WordCase {
    const char* name;
    const char* group;
    const char* parameter;
    int line;
    const char* word;
    bool returns;
    QColor colour;
    const char* recorded;
};

class Words : public SendDataTest, public ::testing::WithParamInterface<WordCase> {};

TEST_P(Words, FailWhereANumberWasExpected) {
    const WordCase& c = GetParam();
    EXPECT_EQ(menu.SendData(QString::fromUtf8(c.group), QString::fromUtf8(c.parameter),
                            QString::fromUtf8(c.word)),
              c.returns);
    const int window = QString::fromUtf8(c.group) == QStringLiteral("Output") ? 0 : 1;
    const int row = c.line <= 3 ? c.line - 1 : c.line - 4;
    EXPECT_EQ(shownColour(window, row), c.colour);
    EXPECT_EQ(result(c.line), QString::fromUtf8(c.recorded));
    refreshOverallVerdict(false);
    EXPECT_EQ(menu.OverallPassFail(), c.returns ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Words,
    ::testing::Values(
        WordCase{"NumberWithUnit", "Output", "Output voltage", 1, "12V", false, Red, "12V|Fail"},
        WordCase{"NanText", "Output", "Output voltage", 1, "nan", false, Red, "NAN|Fail"},
        WordCase{"Overload", "Output", "Output voltage", 1, "OVERLOAD", false, Red,
                 "OVERLOAD|Fail"},
        WordCase{"OnlyAMaximum", "Output", "Limit", 2, "ERR", false, Red, "ERR|Fail"},
        WordCase{"PassWordAgainstLimits", "Output", "Output voltage", 1, "pass", true, Black,
                 "PASS|Pass"},
        WordCase{"NoNumericLimits", "Power", "Power good", 5, "OPEN", true, Black, "OPEN|Pass"},
        WordCase{"NoLimitsAtAll", "Power", "Idle current", 4, "OPEN", true, Black, "OPEN|Pass"}),
    [](const auto& row) { return std::string(row.param.name); });

// Nothing measured is not a pass: an empty result leaves the unit without a
// verdict, and beside a failure it changes nothing.
TEST_F(SendDataTest, AnEmptyResultCountsAsNeitherPassNorFail) {
    menu.HideMenu();
    menu.ShowMenu();
    EXPECT_FALSE(menu.SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), ""));
    EXPECT_FALSE(menu.SendData(QStringLiteral("Power"), QStringLiteral("Power good"), "   "));
    refreshOverallVerdict(false);
    EXPECT_EQ(menu.OverallPassFail(), QString());
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
    EXPECT_EQ(result(1), QStringLiteral("----|----"));

    menu.SendData(QStringLiteral("Output"), QStringLiteral("Limit"), 11);
    refreshOverallVerdict(false);
    EXPECT_EQ(menu.OverallPassFail(), QStringLiteral("FAIL"));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("FAIL"));
}

TEST_F(SendDataTest, ResultsAreRecordedAfterAReset) {
    // The results file was deleted when the menu object was created; a line
    // that was never sent has no key until a reset writes one.
    ASSERT_TRUE(menu.SendData(QStringLiteral("Power"), QStringLiteral("Idle current"), 3));
    EXPECT_EQ(result(4), QStringLiteral("3|Pass"));
    EXPECT_EQ(result(5), QStringLiteral("<absent>"));
}

TEST_F(SendDataTest, FramesShowTheStateOfTheRow) {
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0);
    EXPECT_EQ(frameFill(0, 0), colourFromBgr(0xC0E0FF));
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Limit"), QStringLiteral("TESTING"));
    EXPECT_EQ(frameFill(0, 1), colourFromBgr(0x80C0FF));
    EXPECT_EQ(runModel().row({0, 1}).verdict, Verdict::Testing);
}

struct NameCase {
    const char* name;
    const char* group;
    const char* parameter;
    const char* message; // nullptr: none
};

class Names : public SendDataTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(Names, AreCheckedBeforeAnythingIsShown) {
    const NameCase& c = GetParam();
    EXPECT_FALSE(menu.SendData(QString::fromUtf8(c.group), QString::fromUtf8(c.parameter), 5.0));
    const QStringList expected =
        c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
    EXPECT_EQ(recorder->texts(), expected);
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(value(0, row)->text().isEmpty());
    EXPECT_EQ(result(1), QStringLiteral("<absent>"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Names,
    ::testing::Values(NameCase{"EmptyGroup", "", "Output voltage", "Missing group name!"},
                      NameCase{"EmptyParameter", "Output", "", "Missing group name!"},
                      NameCase{"UnknownGroup", "Protection", "Output voltage",
                               "Invalid group name!"},
                      NameCase{"PartOfAGroupName", "Out", "Output voltage", nullptr},
                      NameCase{"OtherCase", "output", "Output voltage", nullptr},
                      NameCase{"ParameterOfAnotherGroup", "Output", "Idle current", nullptr},
                      NameCase{"ParameterOtherCase", "Output", "output voltage", nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

// A result that cannot be written is not a pass: the write's own text is
// shown once and the screen keeps the measured value.
TEST_F(SendDataTest, FailedWriteReturnsFalseAndKeepsTheScreen) {
    setWriteFaultHookForTesting([](WriteStep step) -> std::optional<int> {
        return step == WriteStep::Sync ? std::optional<int>(EIO) : std::nullopt;
    });
    EXPECT_FALSE(menu.SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0));
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_TRUE(recorder->messages.front().text.contains(QStringLiteral("XQResults.ini")));
    EXPECT_EQ(value(0, 0)->text(), QStringLiteral("5 "));
    EXPECT_EQ(shownColour(0, 0), Black);
    EXPECT_EQ(result(1), QStringLiteral("<absent>"));
}

TEST_F(SendDataTest, GroupListedInAnotherCaseIsShownButNotRecorded) {
    writeSpec({"VOUT,4.75,5.25,5.00,V,Output,Output voltage,", "<EOT>"},
              "ScreenGroupOrder=output\r\n");
    menu.HideMenu();
    menu.ShowMenu();
    // The window loads its rows without regard to case; recording compares
    // names exactly, so no line is found and nothing is recorded.
    EXPECT_FALSE(menu.SendData(QStringLiteral("output"), QStringLiteral("Output voltage"), 5.0));
    EXPECT_EQ(value(0, 0)->text(), QStringLiteral("5 "));
    EXPECT_EQ(result(1), QStringLiteral("----|----"));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(SendDataTest, ClearResultsEmptiesValuesAndSkipsGaps) {
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0);
    menu.SendData(QStringLiteral("Power"), QStringLiteral("Power good"), QStringLiteral("pass"));
    writeSpec({"VOUT,4.75,5.25,5.00,V,Output,Output voltage,", "", "VIN,11,,,V,Output,Input,",
               "<EOT>", "X,,,,,Power,Late,"});
    menu.ClearResults();
    EXPECT_TRUE(value(0, 0)->text().isEmpty());
    EXPECT_TRUE(value(1, 1)->text().isEmpty());
    EXPECT_EQ(result(1), QStringLiteral("----|----"));
    EXPECT_EQ(result(2), QStringLiteral("<absent>"));
    EXPECT_EQ(result(3), QStringLiteral("----|----"));
    EXPECT_EQ(result(5), QStringLiteral("PASS|Pass")) << "lines after the end tag are not touched";
    EXPECT_TRUE(recorder->messages.empty());
}

// ---- Overall verdict ----------------------------------------------------

TEST_F(SendDataTest, OverallVerdictFollowsTheRows) {
    EXPECT_EQ(overallVerdict(runModel()), QString());
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0);
    EXPECT_EQ(overallVerdict(runModel()), QStringLiteral("PASS"));
    menu.SendData(QStringLiteral("Power"), QStringLiteral("Power good"), QStringLiteral("OFF"));
    EXPECT_EQ(overallVerdict(runModel()), QStringLiteral("FAIL"));
    EXPECT_EQ(shownColour(1, 1), Red);
    menu.SendData(QStringLiteral("Power"), QStringLiteral("Power good"), QStringLiteral("ON"));
    EXPECT_EQ(overallVerdict(runModel()), QStringLiteral("PASS"));
}

TEST_F(SendDataTest, TestingBlinksDuringARunAndIsRemovedAfterIt) {
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Limit"), QStringLiteral("Testing"));
    EXPECT_EQ(overallVerdict(runModel()), QString()) << "TESTING is not counted";
    refreshOverallVerdict(true);
    EXPECT_FALSE(value(0, 1)->isVisibleTo(window(0)));
    refreshOverallVerdict(true);
    EXPECT_TRUE(value(0, 1)->isVisibleTo(window(0)));
    refreshOverallVerdict(true);
    EXPECT_FALSE(value(0, 1)->isVisibleTo(window(0)));

    refreshOverallVerdict(false);
    EXPECT_TRUE(value(0, 1)->text().isEmpty());
    EXPECT_EQ(frameFill(0, 1), colourFromBgr(0xC0E0FF));

    // A result sent while the value was blinked away is shown again.
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Limit"), QStringLiteral("Testing"));
    refreshOverallVerdict(true);
    menu.SendData(QStringLiteral("Output"), QStringLiteral("Limit"), 3);
    refreshOverallVerdict(true);
    EXPECT_EQ(menu.OverallPassFail(), QStringLiteral("PASS"));
    EXPECT_TRUE(value(0, 1)->isVisibleTo(window(0)));
}

TEST_F(SendDataTest, RefreshWritesTheVerdictOnlyWhenItChanges) {
    ASSERT_TRUE(menu.SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0));
    EXPECT_TRUE(refreshOverallVerdict(false).ok);
    EXPECT_EQ(menu.OverallPassFail(), QStringLiteral("PASS"));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("PASS"));

    // Another writer changes the file; an unchanged verdict is not written again.
    writeFile(resultsFile(), "[PSU Test Results]\r\nOverallPassFail=edited\r\n");
    refreshOverallVerdict(false);
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("edited"));

    menu.SendData(QStringLiteral("Output"), QStringLiteral("Limit"), 11);
    refreshOverallVerdict(false);
    EXPECT_EQ(menu.OverallPassFail(), QStringLiteral("FAIL"));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("FAIL"));
}

// A group start writes "----" while other groups still show their values: the
// verdict they give is written again, so the file never keeps "----" for a
// judged unit.
TEST_F(SendDataTest, VerdictIsRewrittenAfterAGroupStartClearedIt) {
    menu.SendData(QStringLiteral("Power"), QStringLiteral("Power good"), QStringLiteral("pass"));
    refreshOverallVerdict(false);
    clickButton(window(0), QStringLiteral("cmdStart"));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
    refreshOverallVerdict(false);
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("PASS"));
}

TEST_F(SendDataTest, NothingJudgedLeavesTheResetVerdict) {
    menu.HideMenu();
    menu.ShowMenu();
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
    refreshOverallVerdict(false);
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
}

// The menu's clock keeps OverallPassFail and the results file up to date
// while the menu is shown.
TEST_F(SendDataTest, ShownMenuFollowsTheVerdictByItself) {
    menu.SendData(QStringLiteral("Power"), QStringLiteral("Power good"), QStringLiteral("no"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.OverallPassFail().isEmpty(); }, 3000));
    EXPECT_EQ(menu.OverallPassFail(), QStringLiteral("FAIL"));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("FAIL"));
}

TEST_F(SendDataTest, StopTestWritesTheEndTime) {
    menu.StopTest();
    const QDateTime written = QDateTime::fromString(result(QStringLiteral("EndTestTime")),
                                                    QStringLiteral("MM/dd/yyyy hh:mm:ss ap"));
    EXPECT_TRUE(written.isValid());
    EXPECT_LE(qAbs(written.secsTo(QDateTime::currentDateTime())), 2);
}

} // namespace
