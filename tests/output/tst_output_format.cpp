// The report's number, date and duration forms.

#include "config/ResultsFileCodec.h"
#include "output/ReportFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace XQTestDev;

namespace {

struct NumberCase {
    double value;
    NumberPattern pattern;
    const char* expected;
};

class NumberFormat : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormat, WritesThePattern) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.pattern).toStdString(), c.expected) << c.value;
}

constexpr auto None = NumberPattern::NoDecimals;
constexpr auto Three = NumberPattern::UpToThreeDecimals;
constexpr auto Two = NumberPattern::UpToTwoDecimals;

INSTANTIATE_TEST_SUITE_P(
    Patterns, NumberFormat,
    ::testing::Values(NumberCase{12345.678, Two, "12,345.68"}, NumberCase{3.14159, Three, "3.142"},
                      NumberCase{42, None, "42"}, NumberCase{1234567, None, "1,234,567"},
                      NumberCase{999, None, "999"}, NumberCase{1000, None, "1,000"},
                      NumberCase{4.75, Three, "4.75"}, NumberCase{5, Three, "5.0"},
                      NumberCase{0, Three, "0.0"}, NumberCase{0.0004, Three, "0.0"},
                      NumberCase{-0.0004, Three, "-0.0"}, NumberCase{-0.0, None, "0"},
                      NumberCase{-1234.5, Three, "-1,234.5"},
                      // rounded as written, half away from zero
                      NumberCase{2.675, Two, "2.68"}, NumberCase{12345.675, Two, "12,345.68"},
                      NumberCase{-2.675, Two, "-2.68"}, NumberCase{0.0005, Three, "0.001"},
                      // a carry runs through the whole part and its separators
                      NumberCase{0.9996, Three, "1.0"}, NumberCase{999.9996, Three, "1,000.0"},
                      NumberCase{99999.996, Two, "100,000.0"},
                      NumberCase{1e20, None, "100,000,000,000,000,000,000"},
                      NumberCase{1e-9, Three, "0.0"}));

TEST(NumberFormat, NotANumberGivesNothing) {
    EXPECT_TRUE(formatNumber(std::numeric_limits<double>::infinity(), Three).isEmpty());
    EXPECT_TRUE(formatNumber(std::numeric_limits<double>::quiet_NaN(), None).isEmpty());
}

QDateTime at(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

TEST(ReportTimes, DateAndClockUseMonthFirstAndAnUpperCaseTwelveHourClock) {
    struct Case {
        QDateTime time;
        const char* date;
        const char* clock;
    } cases[] = {
        {at(2024, 3, 7, 14, 5, 9), "03/07/2024", "02:05:09 PM"},
        {at(2024, 12, 31, 0, 0, 0), "12/31/2024", "12:00:00 AM"},
        {at(2024, 1, 2, 12, 30, 0), "01/02/2024", "12:30:00 PM"},
        {at(2025, 11, 9, 9, 59, 59), "11/09/2025", "09:59:59 AM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reportDate(c.time).toStdString(), c.date);
        EXPECT_EQ(reportClock(c.time).toStdString(), c.clock);
    }
}

TEST(ReportTimes, DurationCountsHoursOfTheDay) {
    const QDateTime start = at(2024, 3, 7, 10, 0, 0);
    struct Case {
        QDateTime end;
        const char* expected;
    } cases[] = {
        {at(2024, 3, 7, 10, 1, 5), "00:01:05"},   {at(2024, 3, 7, 10, 0, 0), "00:00:00"},
        {at(2024, 3, 7, 23, 59, 59), "13:59:59"}, {at(2024, 3, 8, 10, 0, 0), "00:00:00"},
        {at(2024, 3, 8, 11, 5, 0), "01:05:00"},   {at(2024, 3, 7, 9, 58, 30), "00:01:30"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportDuration(start, c.end).toStdString(), c.expected);
}

TEST(ReportTimes, ReadsTheResultsFileFormAndWhatAPersonTypes) {
    struct Case {
        const char* text;
        QDateTime expected; // invalid: no date
    } cases[] = {
        {"03/07/2024 02:05:09 pm", at(2024, 3, 7, 14, 5, 9)},
        {"03/07/2024 02:05:09 am", at(2024, 3, 7, 2, 5, 9)},
        {"12/31/2024 12:00:00 am", at(2024, 12, 31, 0, 0, 0)},
        {"3/7/2024 2:05:09 PM", at(2024, 3, 7, 14, 5, 9)},
        {"03/07/2024 14:05:09", at(2024, 3, 7, 14, 5, 9)},
        {"03/07/2024 2:05 pm", at(2024, 3, 7, 14, 5, 0)},
        {"03/07/2024", at(2024, 3, 7, 0, 0, 0)},
        {"", QDateTime()},
        {"----", QDateTime()},
        {"13/45/2024 01:00:00 am", QDateTime()},
        {"yesterday", QDateTime()},
    };
    for (const Case& c : cases) {
        const std::optional<QDateTime> read = readResultsTime(QString::fromLatin1(c.text));
        if (c.expected.isValid()) {
            ASSERT_TRUE(read.has_value()) << c.text;
            EXPECT_EQ(*read, c.expected) << c.text;
        } else {
            EXPECT_FALSE(read.has_value()) << c.text;
        }
    }
}

} // namespace
