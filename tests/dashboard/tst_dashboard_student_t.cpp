// The p-value behind the stations' comparison against the two-sided critical
// values of Student's t that statistics tables print.

#include "StudentT.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

using namespace XQTestDev::dashboard;

namespace {

struct TableValue {
    const char* name;
    double t;
    double degrees;
    double p;
};

class TwoSidedPValue : public ::testing::TestWithParam<TableValue> {};

TEST_P(TwoSidedPValue, MatchesThePrintedTables) {
    const TableValue& c = GetParam();
    EXPECT_NEAR(twoSidedPValue(c.t, c.degrees), c.p, 5e-4);
    EXPECT_NEAR(twoSidedPValue(-c.t, c.degrees), c.p, 5e-4) << "two-sided";
}

INSTANTIATE_TEST_SUITE_P(Table, TwoSidedPValue,
                         ::testing::Values(TableValue{"OneDegree5Percent", 12.706, 1, 0.05},
                                           TableValue{"TwoDegrees1Percent", 9.925, 2, 0.01},
                                           TableValue{"TenDegrees5Percent", 2.228, 10, 0.05},
                                           TableValue{"TenDegrees1Percent", 3.169, 10, 0.01},
                                           TableValue{"ThirtyDegrees10Percent", 1.697, 30, 0.10},
                                           TableValue{"ManyDegreesIsNormal", 1.960, 1e6, 0.05},
                                           TableValue{"NoDifference", 0.0, 5, 1.0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TwoSidedPValue, SaysNothingDiffersWithoutAFiniteStatistic) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [t, degrees] : {std::pair{nan, 5.0}, {inf, 5.0}, {2.0, 0.0}, {2.0, -1.0}})
        EXPECT_EQ(twoSidedPValue(t, degrees), 1.0) << t << " " << degrees;
}

} // namespace
