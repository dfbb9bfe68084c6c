// The scan of an individuals chart for the Western Electric rules: each rule
// firing on either side, and the near misses that must not fire.

#include "ControlRules.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

using namespace XQTestDev::dashboard;

namespace {

struct Case {
    const char* name;
    std::vector<double> sigmas;             // each value's distance from the centre, in sigmas
    std::map<int, std::vector<int>> breaks; // point (from 0) -> the rules it breaks
};

class RuleScan : public ::testing::TestWithParam<Case> {};

// Centre 10 and sigma 0.5, so that the distances are not the values.
TEST_P(RuleScan, MarksThePointsThatCompleteAPattern) {
    const Case& c = GetParam();
    std::vector<double> values;
    for (const double z : c.sigmas)
        values.push_back(10.0 + 0.5 * z);
    const std::vector<RuleBreaks> breaks = westernElectricBreaks(values, 10.0, 0.5);
    ASSERT_EQ(breaks.size(), values.size());
    std::map<int, std::vector<int>> found;
    for (std::size_t i = 0; i < breaks.size(); ++i) {
        if (breaks[i])
            found[static_cast<int>(i)] = rulesOf(breaks[i]);
    }
    EXPECT_EQ(found, c.breaks);
}

std::vector<double> eight(double z) {
    return std::vector<double>(8, z);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuleScan,
    ::testing::Values(
        Case{"Rule1Above", {0, 3.5, 0}, {{1, {1}}}}, Case{"Rule1Below", {-3.1}, {{0, {1}}}},
        Case{"Rule1NotAtExactly3Sigma", {3.0, 0, 0, -3.0}, {}},
        Case{"Rule2Above", {2.5, 0, 2.1}, {{2, {2}}}},
        Case{"Rule2Below", {0, -2.1, -2.5}, {{2, {2}}}},
        Case{"Rule2WithTheFirstTwoPoints", {2.2, 2.4}, {{1, {2}}}},
        Case{"Rule2NotWhenTheThirdPointIsInside", {2.5, 2.5, 0}, {{1, {2}}}},
        Case{"Rule2NotTwoInFour", {2.5, 0, 0, 2.5}, {}},
        Case{"Rule2NotOnOppositeSides", {2.5, -2.5, 0}, {}},
        Case{"Rule2NotAtExactly2Sigma", {2.0, 2.0, 2.0}, {}},
        Case{"Rule3Above", {1.5, 1.5, 0, 1.5, 1.5}, {{4, {3}}}},
        Case{"Rule3Below", {0, -1.2, -1.2, -1.2, -1.2}, {{4, {3}}}},
        Case{"Rule3NotThreeInFive", {1.5, 1.5, 0, 1.5, 0, 1.5}, {}},
        Case{"Rule3NotOnOppositeSides", {1.5, 1.5, -1.5, -1.5, 1.5}, {}},
        Case{"Rule3NotAtExactly1Sigma", {1.0, 1.0, 1.0, 1.0, 1.0}, {}},
        Case{"Rule4Above", eight(0.5), {{7, {4}}}},
        Case{"Rule4Below", {0.3, -0.1, -0.2, -0.1, -0.3, -0.1, -0.2, -0.1, -0.1}, {{8, {4}}}},
        Case{"Rule4GoesOnWhileTheRunDoes",
             {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5},
             {{7, {4}}, {8, {4}}}},
        Case{"Rule4NotSevenInARow", {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, -0.5, 0.5}, {}},
        Case{"Rule4NotAcrossAPointOnTheCentre", {0.5, 0.5, 0.5, 0.5, 0, 0.5, 0.5, 0.5, 0.5}, {}},
        Case{"SeveralRulesAtOnce",
             {1.5, 1.5, 1.5, 2.5, 3.5, 1.5, 1.5, 1.5},
             {{3, {3}}, {4, {1, 2, 3}}, {5, {3}}, {6, {3}}, {7, {3, 4}}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RuleScan, NothingBreaksWithoutASpread) {
    const std::vector<double> values = {1, 5, 9, 9, 9, 9, 9, 9, 9};
    for (const double sigma : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(westernElectricBreaks(values, 1.0, sigma), std::vector<RuleBreaks>(9, 0))
            << sigma;
}

} // namespace
