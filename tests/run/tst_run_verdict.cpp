// The unit's verdict is settled when its run ends and is the same wherever it
// is read: OverallPassFail, the results file, the header's badge and the run's
// record. A run the operator aborted fails; so does one with untested lines
// where the station asks for it. The clock stands still (a manual clock), so
// nothing here can be the clock's doing.

#include "HeaderFixture.h"

#include "frame/RunOutputs.h"
#include "run/UntestedLines.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class RunVerdictTest : public HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        clock.emplace();
        addRunFinishedHandler([this](const RunRecord& record) { records.push_back(record); });
    }
    void TearDown() override {
        HeaderTest::TearDown();
        clock.reset();
    }

    void send(const char* group, const char* parameter, const QVariant& value) {
        menu->SendData(QLatin1String(group), QLatin1String(parameter), value);
    }
    // Runs one unit: `measure` inside AllTestClick, then StopTest.
    template <typename Measure> void runUnit(Measure measure) {
        const QMetaObject::Connection c =
            QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [this, measure] {
                measure();
                menu->StopTest();
            });
        ASSERT_TRUE(menu->StartAllTest());
        QObject::disconnect(c);
    }
    bool shown(const char* badge) { return picture(badge)->isVisibleTo(&window()); }
    QString badge() {
        QStringList on;
        for (const char* name : {"imgPass", "imgFail", "imgTesting"}) {
            if (shown(name))
                on << QLatin1String(name);
        }
        return on.join(u',');
    }
    // What each output says about the unit that ended last.
    void expectEverywhere(const QString& verdict) {
        EXPECT_EQ(menu->OverallPassFail(), verdict);
        EXPECT_EQ(result(QStringLiteral("OverallPassFail")), verdict);
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(unitVerdictText(records.back().verdict), verdict);
        EXPECT_EQ(storedRunRecord().stored.verdict, verdict);
        EXPECT_EQ(badge(), verdict == QLatin1String("PASS") ? "imgPass" : "imgFail");
    }

    std::optional<ManualClock> clock;
    std::vector<RunRecord> records;
};

struct SettleCase {
    const char* name;
    double input;
    double output;
    const char* verdict;
};

class SettledByStopTest : public RunVerdictTest,
                          public ::testing::WithParamInterface<SettleCase> {};

TEST_P(SettledByStopTest, EveryOutputHasTheVerdictBeforeTheClockTicks) {
    menu->ShowMenu();
    const SettleCase& c = GetParam();
    runUnit([&] {
        send("Power", "Input voltage", c.input);
        send("Power", "Input current", 0.2);
        send("Output", "Output voltage", c.output);
    });
    expectEverywhere(QLatin1String(c.verdict));
    // The clock, when it comes, finds nothing to change.
    clock->advance(100);
    expectEverywhere(QLatin1String(c.verdict));
}

INSTANTIATE_TEST_SUITE_P(Table, SettledByStopTest,
                         ::testing::Values(SettleCase{"AllPass", 12.0, 5.0, "PASS"},
                                           SettleCase{"FirstFails", 13.0, 5.0, "FAIL"},
                                           SettleCase{"LastFails", 12.0, 5.3, "FAIL"}),
                         [](const auto& row) { return std::string(row.param.name); });

// The second unit never reads the first one's verdict.
TEST_F(RunVerdictTest, ANewRunStartsWithoutThePreviousUnitsVerdict) {
    menu->ShowMenu();
    runUnit([&] { send("Power", "Input voltage", 13.0); });
    ASSERT_EQ(menu->OverallPassFail(), "FAIL");

    QString atStart = QStringLiteral("<unread>");
    QString afterFirstLine;
    runUnit([&] {
        atStart = menu->OverallPassFail();
        send("Power", "Input voltage", 12.0);
        clock->advance(40);
        afterFirstLine = menu->OverallPassFail();
        send("Power", "Input current", 0.1);
        send("Output", "Output voltage", 5.0);
    });
    EXPECT_EQ(atStart, "");
    EXPECT_EQ(afterFirstLine, "PASS"); // the running verdict between lines
    expectEverywhere(QStringLiteral("PASS"));
}

// While lines are measured the badge says the unit is under test: a PASS is
// not known before the last line, a failed line is final. It dims, never
// blanks, from tick to tick.
TEST_F(RunVerdictTest, TheBadgeNeverShowsPassDuringARunAndNeverBlinksToBlank) {
    menu->ShowMenu();
    QStringList duringPass;
    QStringList duringFail;
    runUnit([&] {
        send("Power", "Input voltage", 12.0);
        for (int tick = 0; tick < 3; ++tick) {
            clock->advance(20);
            duringPass << badge();
        }
        send("Power", "Input current", 0.9);
        for (int tick = 0; tick < 3; ++tick) {
            clock->advance(20);
            duringFail << badge();
        }
        send("Output", "Output voltage", 5.0);
    });
    EXPECT_EQ(duringPass, QStringList(3, QStringLiteral("imgTesting")));
    EXPECT_EQ(duringFail, QStringList(3, QStringLiteral("imgFail")));
    for (int tick = 0; tick < 3; ++tick) {
        clock->advance(20);
        EXPECT_EQ(badge(), "imgFail") << tick;
    }
}

// The operator aborts after two passing lines: the unit fails, in every
// output, before the station program hears of the abort.
TEST_F(RunVerdictTest, AnAbortedRunFailsEverywhere) {
    menu->ShowMenu();
    QString seenInAbortClick;
    QObject::connect(menu.get(), &XQMenu32::AbortClick, menu.get(),
                     [&] { seenInAbortClick = menu->OverallPassFail(); });
    const QMetaObject::Connection c =
        QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [&] {
            send("Power", "Input voltage", 12.0);
            send("Power", "Input current", 0.1);
            answerInfoBox(OK);
            press("cmdExit");
        });
    ASSERT_TRUE(menu->StartAllTest());
    QObject::disconnect(c);

    EXPECT_EQ(seenInAbortClick, "FAIL");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].aborted);
    EXPECT_EQ(records[0].untested, 1);
    expectEverywhere(QStringLiteral("FAIL"));
    // The program finds the same run, and where its record is.
    const LastRunInfo last = menu->LastRunRecord();
    EXPECT_EQ(last.verdict, QStringLiteral("FAIL"));
    EXPECT_TRUE(last.aborted);
    EXPECT_EQ(last.untested, 1);
    EXPECT_TRUE(last.path.endsWith(QStringLiteral(".json"))) << last.path.toStdString();
    EXPECT_TRUE(QFileInfo::exists(last.path)) << last.path.toStdString();
    clock->advance(100);
    expectEverywhere(QStringLiteral("FAIL"));
}

struct UntestedCase {
    const char* name;
    const char* setting; // UntestedLinesFail in [ATE Configuration], or none
    const char* verdict;
};

class UntestedLines : public RunVerdictTest, public ::testing::WithParamInterface<UntestedCase> {};

// One line left out on purpose keeps the rows' verdict unless the station
// makes untested lines fail the unit; the header's note and the record count
// the same lines either way.
TEST_P(UntestedLines, FailTheUnitOnlyWhereTheStationAsks) {
    const UntestedCase& c = GetParam();
    QByteArray ate = "[ATE Configuration]\r\nID=ATE-07\r\n";
    if (c.setting)
        ate += QByteArray("UntestedLinesFail=") + c.setting + "\r\n";
    writeIni(QStringLiteral("ATE.INI"), ate);
    menu->ShowMenu();
    runUnit([&] {
        send("Power", "Input voltage", 12.0);
        send("Output", "Output voltage", 5.0);
    });
    expectEverywhere(QLatin1String(c.verdict));
    EXPECT_EQ(records.back().untested, 1);
    EXPECT_EQ(label("lblUntested"), untestedLinesText(records.back().untested));
}

INSTANTIATE_TEST_SUITE_P(Table, UntestedLines,
                         ::testing::Values(UntestedCase{"NotSet", nullptr, "PASS"},
                                           UntestedCase{"No", "No", "PASS"},
                                           UntestedCase{"Yes", "Yes", "FAIL"},
                                           UntestedCase{"TrueLowerCase", "true", "FAIL"}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
