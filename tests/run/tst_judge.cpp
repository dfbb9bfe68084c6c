#include "config/ResultsFileCodec.h"
#include "run/ResultColours.h"
#include "run/ResultJudge.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace XQTestDev;

namespace {

struct TextCase {
    const char* name;
    QVariant value;
    const char* text;
};

class ResultTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(ResultTexts, AreShortestAndExact) {
    EXPECT_EQ(resultText(GetParam().value), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResultTexts,
    ::testing::Values(
        TextCase{"Double", QVariant(5.25), "5.25"}, TextCase{"Tenth", QVariant(0.1), "0.1"},
        TextCase{"Third", QVariant(1.0 / 3.0), "0.3333333333333333"},
        TextCase{"WholeDouble", QVariant(5.0), "5"}, TextCase{"FloatTenth", QVariant(0.1f), "0.1"},
        TextCase{"Int", QVariant(-42), "-42"},
        TextCase{"LongLong", QVariant(qint64(1) << 40), "1099511627776"},
        TextCase{"True", QVariant(true), "True"}, TextCase{"False", QVariant(false), "False"},
        TextCase{"TextKeptAsIs", QVariant(QStringLiteral(" 5.250 ")), " 5.250 "},
        TextCase{"Empty", QVariant(), ""},
        TextCase{"Date", QVariant(QDateTime(QDate(2026, 3, 4), QTime(15, 6, 7))),
                 "03/04/2026 03:06:07 pm"}),
    [](const auto& row) { return std::string(row.param.name); });

struct JudgeCase {
    const char* name;
    QVariant value;
    const char* minimum;
    const char* maximum;
    Verdict verdict;
    const char* recorded; // "" = not recorded
};

class Judging : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(Judging, GivesTheVerdictAndTheRecordedText) {
    const JudgeCase& c = GetParam();
    const Judgement j =
        judgeResult(c.value, QString::fromUtf8(c.minimum), QString::fromUtf8(c.maximum));
    EXPECT_EQ(j.verdict, c.verdict);
    EXPECT_EQ(j.recordedResult, QString::fromUtf8(c.recorded));
}

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
constexpr auto Pass = Verdict::Pass;
constexpr auto Fail = Verdict::Fail;

INSTANTIATE_TEST_SUITE_P(
    Table, Judging,
    ::testing::Values(
        JudgeCase{"AtMaximum", 5.25, "4.75", "5.25", Pass, "5.25"},
        JudgeCase{"AboveMaximum", 5.2501, "4.75", "5.25", Fail, "5.2501"},
        JudgeCase{"AtMinimum", 4.75, "4.75", "5.25", Pass, "4.75"},
        JudgeCase{"BelowMinimum", 4.7, "4.75", "5.25", Fail, "4.7"},
        JudgeCase{"OnlyMaxAtMax", 10, "----", "10", Pass, "10"},
        JudgeCase{"OnlyMaxAbove", 10.1, "----", "10", Fail, "10.1"},
        JudgeCase{"OnlyMaxFarBelow", -1000, "----", "10", Pass, "-1000"},
        JudgeCase{"OnlyMinBelow", -0.1, "0", "----", Fail, "-0.1"},
        JudgeCase{"NoLimits", 1e300, "----", "----", Pass, "1e+300"},
        // A float is judged by the number it is shown and recorded as.
        JudgeCase{"FloatAtMaximum", QVariant(0.3f), "0", "0.3", Pass, "0.3"},
        JudgeCase{"FloatAtMinimum", QVariant(0.7f), "0.7", "1", Pass, "0.7"},
        JudgeCase{"FloatAboveMaximum", QVariant(0.30001f), "0", "0.3", Fail, "0.30001"},
        JudgeCase{"NumericText", QStringLiteral(" 5.1 "), "4.75", "5.25", Pass, "5.1"},
        JudgeCase{"NumericTextFails", QStringLiteral("6"), "4.75", "5.25", Fail, "6"},
        JudgeCase{"HugeText", QStringLiteral("1e999"), "----", "10", Fail, "1e999"},
        JudgeCase{"NotANumber", NaN, "----", "----", Fail, "nan"},
        JudgeCase{"Infinite", Inf, "0", "----", Pass, "inf"},
        JudgeCase{"PassWord", QStringLiteral("pass"), "1", "2", Pass, "PASS"},
        JudgeCase{"OnWord", QStringLiteral(" On "), "1", "2", Pass, "ON"},
        JudgeCase{"YesWord", QStringLiteral("yes"), "1", "2", Pass, "YES"},
        JudgeCase{"TrueWord", QStringLiteral("True"), "1", "2", Pass, "TRUE"},
        JudgeCase{"FailWord", QStringLiteral("Fail"), "1", "2", Fail, "FAIL"},
        JudgeCase{"NoWord", QStringLiteral("no"), "1", "2", Fail, "NO"},
        JudgeCase{"OffWord", QStringLiteral("OFF"), "1", "2", Fail, "OFF"},
        JudgeCase{"FalseWord", QStringLiteral("false"), "1", "2", Fail, "FALSE"},
        // Where a number was expected, any other word fails.
        JudgeCase{"OtherWord", QStringLiteral("OPEN"), "1", "2", Fail, "OPEN"},
        JudgeCase{"NumberWithUnit", QStringLiteral("12V"), "4.75", "5.25", Fail, "12V"},
        JudgeCase{"NanText", QStringLiteral("nan"), "----", "10", Fail, "NAN"},
        JudgeCase{"ErrorWord", QStringLiteral(" ERR "), "0", "----", Fail, "ERR"},
        JudgeCase{"OtherWordNoLimits", QStringLiteral("OPEN"), "----", "----", Pass, "OPEN"},
        JudgeCase{"PassWordNoLimits", QStringLiteral("yes"), "----", "----", Pass, "YES"},
        JudgeCase{"Testing", QStringLiteral("Testing"), "1", "2", Verdict::Testing, ""},
        // Nothing measured is no verdict.
        JudgeCase{"EmptyText", QStringLiteral(""), "1", "2", Verdict::Untested, ""},
        JudgeCase{"BlankText", QStringLiteral("   "), "1", "2", Verdict::Untested, ""},
        JudgeCase{"EmptyVariant", QVariant(), "1", "2", Verdict::Untested, ""},
        JudgeCase{"EmptyNoLimits", QStringLiteral(""), "----", "----", Verdict::Untested, ""},
        JudgeCase{"BoolTrue", true, "1", "2", Pass, "TRUE"},
        JudgeCase{"BoolFalse", false, "1", "2", Fail, "FALSE"},
        JudgeCase{"Date", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), "----", "----", Pass,
                  "01/02/2026 03:04:05 AM"},
        JudgeCase{"DateAgainstLimits", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), "1", "2", Fail,
                  "01/02/2026 03:04:05 AM"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RecordedValue, CarriesTheVerdictAndNoSecondBar) {
    EXPECT_EQ(encodeResultLine(QStringLiteral("5.25"), Pass), QStringLiteral("5.25|Pass"));
    EXPECT_EQ(encodeResultLine(QStringLiteral("6"), Fail), QStringLiteral("6|Fail"));
    EXPECT_EQ(encodeResultLine(QStringLiteral("X"), Verdict::Testing), QStringLiteral("X|----"));
    EXPECT_EQ(encodeResultLine(QStringLiteral("A|B||C"), Pass), QStringLiteral("A/B//C|Pass"));
    // A huge result is cut, never its verdict: the whole fits what a read returns.
    EXPECT_EQ(encodeResultLine(QString(100000, QLatin1Char('7')), Fail),
              QString(1017, QLatin1Char('7')) + QStringLiteral("|Fail"));
}

TEST(Colours, AreTheStationsCodes) {
    EXPECT_EQ(colourCode(colourOf(Fail)), 0x0000FFu);
    EXPECT_EQ(colourCode(colourOf(Pass)), 0x000000u);
    EXPECT_EQ(colourCode(colourOf(Verdict::Testing)), 0x008000u);
    EXPECT_EQ(colourCode(ValueColour::ButtonFace), 0x8000000Fu);
    EXPECT_EQ(frameOf(Verdict::Testing), FrameLook::Testing);
    EXPECT_EQ(frameOf(Pass), FrameLook::Result);
    EXPECT_EQ(frameFillCode(FrameLook::Result), 0xC0E0FFu);
    EXPECT_EQ(frameOutlineCode(FrameLook::Result), 0x80C0FFu);
    EXPECT_EQ(frameFillCode(FrameLook::Testing), 0x80C0FFu);
    EXPECT_EQ(frameOutlineCode(FrameLook::Testing), 0x0080FFu);
    EXPECT_EQ(colourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colourFromBgr(0xC0E0FF), QColor(255, 224, 192));
}

} // namespace
