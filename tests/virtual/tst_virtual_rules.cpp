// The rules behind both virtual instruments, without their windows: number
// patterns, the virtual device's limits, the LED bar's scale, knob and
// thresholds, and the pauses of a held arrow.

#include "virtual/ArrowRepeat.h"
#include "virtual/DeviceLimits.h"
#include "virtual/LedBarScale.h"
#include "virtual/NumberPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

using namespace XQTestDev;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

struct PatternCase {
    double value;
    std::optional<int> decimals;
    const char* shown;
};

class NumberPatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(NumberPatternTest, WritesTheValueWithThePattern) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(formatWithPattern(c.value, c.decimals), QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, NumberPatternTest,
    ::testing::Values(PatternCase{1234.567, 2, "1,234.57"}, PatternCase{1234.567, 0, "1,235"},
                      PatternCase{1234.567, std::nullopt, "1,235."},
                      PatternCase{-1234567.891, 1, "-1,234,567.9"},
                      PatternCase{999.995, 2, "1,000.00"}, PatternCase{1.005, 2, "1.01"},
                      PatternCase{0.5, 0, "1"}, PatternCase{-0.5, 0, "-1"},
                      PatternCase{0.4, 0, "0"}, PatternCase{-0.001, 2, "0.00"},
                      PatternCase{0, 2, "0.00"}, PatternCase{0.000123, 5, "0.00012"},
                      PatternCase{123, 3, "123.000"}, PatternCase{1e15, 0, "1,000,000,000,000,000"},
                      PatternCase{NaN, 2, "NaN"}, PatternCase{Inf, 0, "Infinity"},
                      PatternCase{-Inf, 2, "-Infinity"}));

TEST(NumberPattern, ThirtyDecimalsCarryNoBinaryNoise) {
    EXPECT_EQ(formatWithPattern(1234.567, 30),
              QStringLiteral("1,234.567") + QString(27, QLatin1Char('0')));
}

TEST(NumberPattern, TheLargestDoubleIsWrittenInFull) {
    const QString shown = formatWithPattern(1e308, 0);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("100,000,000,000,000,000,")));
    EXPECT_EQ(shown.count(QLatin1Char(',')), 102);
    EXPECT_EQ(shown.size(), 309 + 102);
}

struct DecimalsCase {
    QVariant given;
    std::optional<int> decimals;
};

class DecimalsTest : public ::testing::TestWithParam<DecimalsCase> {};

TEST_P(DecimalsTest, GivesACountOrNone) {
    EXPECT_EQ(decimalsFrom(GetParam().given), GetParam().decimals)
        << GetParam().given.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Decimals, DecimalsTest,
                         ::testing::Values(DecimalsCase{2, 2}, DecimalsCase{0, 0},
                                           DecimalsCase{QStringLiteral("3"), 3},
                                           DecimalsCase{QVariant(), 0},
                                           DecimalsCase{-1, std::nullopt},
                                           DecimalsCase{QStringLiteral("abc"), std::nullopt},
                                           DecimalsCase{NaN, std::nullopt}, DecimalsCase{30, 30},
                                           DecimalsCase{2147483647, MostDecimals}));

TEST(Decimals, WholeNumbersFollowTheSameRule) {
    EXPECT_EQ(decimalsFrom(2), 2);
    EXPECT_EQ(decimalsFrom(-1), std::nullopt);
    EXPECT_EQ(decimalsFrom(1000), MostDecimals);
}

struct LimitCase {
    std::optional<double> min;
    std::optional<double> max;
    double value;
    bool passes;
};

class DeviceLimitsTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(DeviceLimitsTest, JudgesTheValue) {
    const LimitCase& c = GetParam();
    DeviceLimits limits;
    if (c.max) {
        ASSERT_TRUE(limits.setMax(*c.max));
    }
    if (c.min) {
        ASSERT_TRUE(limits.setMin(*c.min));
    }
    EXPECT_EQ(limits.passes(c.value), c.passes) << c.value;
    const DeviceVerdict verdict = judgeValue(limits, c.value, {0x00FF00, 0x0000FF});
    EXPECT_EQ(verdict.colour, c.passes ? 0x00FF00 : 0x0000FF);
    EXPECT_EQ(verdict.isPassed, c.passes);
}

INSTANTIATE_TEST_SUITE_P(Limits, DeviceLimitsTest,
                         ::testing::Values(LimitCase{std::nullopt, std::nullopt, 1e300, true},
                                           LimitCase{std::nullopt, std::nullopt, -Inf, true},
                                           LimitCase{1, 2, 1, true}, LimitCase{1, 2, 2, true},
                                           LimitCase{1, 2, 0.999, false},
                                           LimitCase{1, 2, 2.001, false},
                                           LimitCase{1, std::nullopt, 1e300, true},
                                           LimitCase{1, std::nullopt, 0.5, false},
                                           LimitCase{std::nullopt, 2, -1e300, true},
                                           LimitCase{std::nullopt, 2, 2.5, false},
                                           LimitCase{std::nullopt, std::nullopt, NaN, false},
                                           LimitCase{1, 2, NaN, false}));

TEST(DeviceLimits, CrossingLimitsAndNonNumbersAreRefused) {
    DeviceLimits limits;
    EXPECT_FALSE(limits.setMin(Inf)); // above the default Max
    EXPECT_FALSE(limits.setMin(NaN));
    EXPECT_FALSE(limits.setMax(NaN));
    EXPECT_EQ(limits.min(), DeviceLimits::NoLowerLimit);
    ASSERT_TRUE(limits.setMin(5));
    EXPECT_FALSE(limits.setMax(4.999));
    EXPECT_EQ(limits.max(), DeviceLimits::NoUpperLimit);
    EXPECT_TRUE(limits.setMax(5)); // equal limits do not cross
    EXPECT_FALSE(limits.setMin(5.001));
    EXPECT_EQ(limits.min(), 5);
}

TEST(DeviceLimits, TheSameColourForPassAndFailPassesEveryValue) {
    DeviceLimits limits;
    ASSERT_TRUE(limits.setMax(1));
    EXPECT_TRUE(judgeValue(limits, 7, {0x123456, 0x123456}).isPassed);
}

struct RefusalCase {
    LedBarSettings settings;
    const char* message; // empty: shown
};

class ShowRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ShowRefusalTest, NamesTheFirstCheckThatFails) {
    const std::optional<QString> refusal = showRefusal(GetParam().settings);
    EXPECT_EQ(refusal.value_or(QString()), QString::fromLatin1(GetParam().message));
}

const char* const ScaleMessage = "Scale Min value must less than Scale Max value!";
const char* const BandMessage = "Min value must less than Max value!";
const char* const MinMessage = "Min value must less than both Scale Min and Scale Max!";
const char* const MaxMessage = "Max value must greater than Scale Min and less than Scale Max!";

INSTANTIATE_TEST_SUITE_P(Checks, ShowRefusalTest,
                         ::testing::Values(RefusalCase{{0, 0, 0, 0, 0}, ScaleMessage},
                                           RefusalCase{{5, 5, 5, 5, 0}, ScaleMessage},
                                           RefusalCase{{10, 0, 2, 3, 0}, ScaleMessage},
                                           RefusalCase{{NaN, 10, 2, 3, 0}, ScaleMessage},
                                           RefusalCase{{0, Inf, 2, 3, 0}, ScaleMessage},
                                           RefusalCase{{0, 10, 3, 3, 0}, BandMessage},
                                           RefusalCase{{0, 10, NaN, 3, 0}, BandMessage},
                                           RefusalCase{{0, 10, -1, 3, 0}, MinMessage},
                                           RefusalCase{{0, 10, 2, 11, 0}, MaxMessage},
                                           RefusalCase{{0, 10, 0, 10, 0}, ""},
                                           RefusalCase{{-1e308, 1e308, -1, 1, 0}, ""}));

TEST(LedBarScale, StepsOfTheLedsAndTheArrows) {
    EXPECT_EQ(ledStepOf(0, 40), 1);
    EXPECT_EQ(ledStepOf(40, 0), 1);
    EXPECT_EQ(ledStepOf(-1e308, 1e308), 5e306);
    EXPECT_EQ(arrowStepOf(0.1, 1), 0.1);
    EXPECT_EQ(arrowStepOf(1, 1), 1);
    EXPECT_EQ(arrowStepOf(5, 1), 1);
    EXPECT_EQ(arrowStepOf(0, 1), 1);
    EXPECT_EQ(arrowStepOf(-0.5, 1), 1);
    EXPECT_EQ(arrowStepOf(NaN, 1), 1);
}

struct LitCase {
    double value;
    double scaleMin;
    double scaleMax;
    int lit;
};

class LitLedsTest : public ::testing::TestWithParam<LitCase> {};

TEST_P(LitLedsTest, CountsTheThresholdsReached) {
    const LitCase& c = GetParam();
    EXPECT_EQ(litLedCount(c.value, c.scaleMin, c.scaleMax, ledStepOf(c.scaleMin, c.scaleMax)),
              c.lit)
        << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, LitLedsTest,
    ::testing::Values(LitCase{12.5, 0, 40, 12}, LitCase{40, 0, 40, 40}, LitCase{0.5, 0, 40, 0},
                      LitCase{1, 0, 40, 1}, LitCase{39.99, 0, 40, 39}, LitCase{0, 0, 40, 0},
                      LitCase{1, 0, 1, 40}, LitCase{0.1, 0, 1, 4}, LitCase{-5, -10, 10, 10},
                      // A value just short of a threshold in double reaches it in single.
                      LitCase{0.99999999, 0, 40, 1}, LitCase{1e300, -1e308, 1e308, 20},
                      LitCase{1e308, -1e308, 1e308, 40}, LitCase{5.01e307, 0, 1e308, 20},
                      LitCase{NaN, 0, 40, 0}, LitCase{5, 5, 5, 0}));

TEST(LedBarScale, TheKnobSitsBesideTheLastButOneLitLed) {
    EXPECT_EQ(knobLeftFor(0), 60);
    EXPECT_EQ(knobLeftFor(1), 60);
    EXPECT_EQ(knobLeftFor(2), 180);
    EXPECT_EQ(knobLeftFor(12), 1380);
    EXPECT_EQ(knobLeftFor(40), 4740);
}

struct DragCase {
    double newLeft;
    double value;
    int knobLeft;
};

class KnobDragTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(KnobDragTest, ChoosesTheNearestLedHalvesToEven) {
    const KnobPlace place = dragKnobTo(GetParam().newLeft, 0, 40, 1);
    EXPECT_EQ(place.value, GetParam().value) << GetParam().newLeft;
    EXPECT_EQ(place.knobLeft, GetParam().knobLeft);
}

INSTANTIATE_TEST_SUITE_P(Drags, KnobDragTest,
                         ::testing::Values(DragCase{59, 0, 60}, DragCase{-900, 0, 60},
                                           DragCase{60, 1, 60}, DragCase{180, 2, 180},
                                           DragCase{240, 2, 240}, DragCase{360, 4, 360},
                                           DragCase{4740, 40, 4740}, DragCase{4741, 40, 4740}));

TEST(LedBarScale, ADraggedValueNeverPassesTheScaleTop) {
    // 40 steps of 1 would be 40; the scale ends at 39.5.
    EXPECT_EQ(dragKnobTo(4739, 0, 39.5, 1.0).value, 39.5);
}

TEST(LedBarScale, OnlyNewsIsReported) {
    ReportedValue reported;
    EXPECT_TRUE(reported.take(0));
    EXPECT_FALSE(reported.take(0));
    EXPECT_TRUE(reported.take(1.5));
    EXPECT_TRUE(reported.take(NaN));
    EXPECT_FALSE(reported.take(NaN));
    EXPECT_TRUE(reported.take(1.5));
}

TEST(ArrowPauses, ShrinkBy50msToNextToNothing) {
    ArrowPauses pauses;
    std::vector<double> seen;
    for (int step = 0; step < 10; ++step) {
        seen.push_back(pauses.current());
        pauses.shorten();
    }
    const double expected[] = {0.3, 0.25, 0.2, 0.15, 0.1, 0.05};
    for (int step = 0; step < 6; ++step)
        EXPECT_NEAR(seen[static_cast<size_t>(step)], expected[step], 1e-6) << step;
    for (int step = 6; step < 10; ++step) {
        EXPECT_GT(seen[static_cast<size_t>(step)], 0) << step;
        EXPECT_LT(seen[static_cast<size_t>(step)], 1e-8) << step;
    }
}

} // namespace
