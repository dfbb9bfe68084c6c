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
    ValueColour colour;
    FrameLook frame;
    const char* recorded; // "" = not recorded
};

class Judging : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(Judging, ColoursAndRecords) {
    const JudgeCase& c = GetParam();
    const Judgement j =
        judgeResult(c.value, QString::fromUtf8(c.minimum), QString::fromUtf8(c.maximum));
    EXPECT_EQ(j.colour, c.colour);
    EXPECT_EQ(j.frame, c.frame);
    EXPECT_EQ(j.recordedResult, QString::fromUtf8(c.recorded));
}

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
constexpr auto Black = ValueColour::Black;
constexpr auto Red = ValueColour::Red;
constexpr auto Green = ValueColour::Green;
constexpr auto Shown = FrameLook::Result;

INSTANTIATE_TEST_SUITE_P(
    Table, Judging,
    ::testing::Values(
        JudgeCase{"AtMaximum", 5.25, "4.75", "5.25", Black, Shown, "5.25"},
        JudgeCase{"AboveMaximum", 5.2501, "4.75", "5.25", Red, Shown, "5.2501"},
        JudgeCase{"AtMinimum", 4.75, "4.75", "5.25", Black, Shown, "4.75"},
        JudgeCase{"BelowMinimum", 4.7, "4.75", "5.25", Red, Shown, "4.7"},
        JudgeCase{"OnlyMaxAtMax", 10, "----", "10", Black, Shown, "10"},
        JudgeCase{"OnlyMaxAbove", 10.1, "----", "10", Red, Shown, "10.1"},
        JudgeCase{"OnlyMaxFarBelow", -1000, "----", "10", Black, Shown, "-1000"},
        JudgeCase{"OnlyMinBelow", -0.1, "0", "----", Red, Shown, "-0.1"},
        JudgeCase{"NoLimits", 1e300, "----", "----", Black, Shown, "1e+300"},
        // A float is judged by the number it is shown and recorded as.
        JudgeCase{"FloatAtMaximum", QVariant(0.3f), "0", "0.3", Black, Shown, "0.3"},
        JudgeCase{"FloatAtMinimum", QVariant(0.7f), "0.7", "1", Black, Shown, "0.7"},
        JudgeCase{"FloatAboveMaximum", QVariant(0.30001f), "0", "0.3", Red, Shown, "0.30001"},
        JudgeCase{"NumericText", QStringLiteral(" 5.1 "), "4.75", "5.25", Black, Shown, "5.1"},
        JudgeCase{"NumericTextFails", QStringLiteral("6"), "4.75", "5.25", Red, Shown, "6"},
        JudgeCase{"HugeText", QStringLiteral("1e999"), "----", "10", Red, Shown, "1e999"},
        JudgeCase{"NotANumber", NaN, "----", "----", Red, Shown, "nan"},
        JudgeCase{"Infinite", Inf, "0", "----", Black, Shown, "inf"},
        JudgeCase{"PassWord", QStringLiteral("pass"), "1", "2", Black, Shown, "PASS"},
        JudgeCase{"OnWord", QStringLiteral(" On "), "1", "2", Black, Shown, "ON"},
        JudgeCase{"YesWord", QStringLiteral("yes"), "1", "2", Black, Shown, "YES"},
        JudgeCase{"TrueWord", QStringLiteral("True"), "1", "2", Black, Shown, "TRUE"},
        JudgeCase{"FailWord", QStringLiteral("Fail"), "1", "2", Red, Shown, "FAIL"},
        JudgeCase{"NoWord", QStringLiteral("no"), "1", "2", Red, Shown, "NO"},
        JudgeCase{"OffWord", QStringLiteral("OFF"), "1", "2", Red, Shown, "OFF"},
        JudgeCase{"FalseWord", QStringLiteral("false"), "1", "2", Red, Shown, "FALSE"},
        JudgeCase{"OtherWord", QStringLiteral("OPEN"), "1", "2", Black, Shown, "OPEN"},
        JudgeCase{"Testing", QStringLiteral("Testing"), "1", "2", Green, FrameLook::Testing, ""},
        JudgeCase{"EmptyText", QStringLiteral(""), "1", "2", Black, Shown, ""},
        JudgeCase{"BlankText", QStringLiteral("   "), "1", "2", Black, Shown, ""},
        JudgeCase{"EmptyVariant", QVariant(), "1", "2", Black, Shown, ""},
        JudgeCase{"BoolTrue", true, "1", "2", Black, Shown, "TRUE"},
        JudgeCase{"BoolFalse", false, "1", "2", Red, Shown, "FALSE"},
        JudgeCase{"Date", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), "1", "2", Black, Shown,
                  "01/02/2026 03:04:05 AM"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RecordedValue, CarriesTheVerdictAndNoSecondBar) {
    EXPECT_EQ(recordedValue(QStringLiteral("5.25"), Black), QStringLiteral("5.25|Pass"));
    EXPECT_EQ(recordedValue(QStringLiteral("6"), Red), QStringLiteral("6|Fail"));
    EXPECT_EQ(recordedValue(QStringLiteral("X"), ValueColour::Green), QStringLiteral("X|----"));
    EXPECT_EQ(recordedValue(QStringLiteral("A|B||C"), Black), QStringLiteral("A/B//C|Pass"));
    // A huge result is cut, never its verdict: the whole fits what a read returns.
    EXPECT_EQ(recordedValue(QString(100000, QLatin1Char('7')), Red),
              QString(1017, QLatin1Char('7')) + QStringLiteral("|Fail"));
}

TEST(Colours, AreTheStationsCodes) {
    EXPECT_EQ(colourCode(Red), 0x0000FFu);
    EXPECT_EQ(colourCode(Green), 0x008000u);
    EXPECT_EQ(colourCode(ValueColour::ButtonFace), 0x8000000Fu);
    EXPECT_EQ(frameFillCode(Shown), 0xC0E0FFu);
    EXPECT_EQ(frameOutlineCode(Shown), 0x80C0FFu);
    EXPECT_EQ(frameFillCode(FrameLook::Testing), 0x80C0FFu);
    EXPECT_EQ(frameOutlineCode(FrameLook::Testing), 0x0080FFu);
    EXPECT_EQ(colourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colourFromBgr(0xC0E0FF), QColor(255, 224, 192));
}

} // namespace
