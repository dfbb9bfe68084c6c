#include "instruments/PropertyRules.h"

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct IntervalCase {
    QVariant given;
    int stored;
};

class ReadIntervalTable : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(ReadIntervalTable, IntervalIsZeroOrWithinLimits) {
    EXPECT_EQ(readIntervalRule(GetParam().given), GetParam().stored)
        << GetParam().given.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadIntervalTable,
                         ::testing::Values(IntervalCase{QStringLiteral("abc"), 250},
                                           IntervalCase{50, 100}, IntervalCase{1, 100},
                                           IntervalCase{70000, 65535}, IntervalCase{0, 0},
                                           IntervalCase{-5, 0}, IntervalCase{100, 100},
                                           IntervalCase{QStringLiteral("500"), 500},
                                           IntervalCase{65535, 65535},
                                           IntervalCase{QVariant(), 0}));

TEST(PropertyRules, TimeoutZeroOrNoNumberIsTenSeconds) {
    EXPECT_EQ(timeoutCodeRule(0), 13);
    EXPECT_EQ(timeoutCodeRule(QStringLiteral("soon")), 13);
    EXPECT_EQ(timeoutCodeRule(11), 11);
}

TEST(PropertyRules, WaitIsNeverNegative) {
    EXPECT_EQ(waitRule(-1.5), 0.0);
    EXPECT_EQ(waitRule(QStringLiteral("x")), 0.0);
    EXPECT_EQ(waitRule(0.25), 0.25);
}

TEST(PropertyRules, PositionsAndCoordinates) {
    EXPECT_EQ(panelPositionRule(QStringLiteral("left")), 1);
    EXPECT_EQ(panelPositionRule(9), 9);
    EXPECT_EQ(coordinateRule(QStringLiteral("top")), QVariant(0));
    EXPECT_EQ(coordinateRule(500), QVariant(500));
}

TEST(PropertyRules, EmptyOrZeroName) {
    EXPECT_TRUE(isEmptyOrZero(QVariant()));
    EXPECT_TRUE(isEmptyOrZero(QString()));
    EXPECT_TRUE(isEmptyOrZero(0));
    EXPECT_TRUE(isEmptyOrZero(QStringLiteral("0")));
    EXPECT_FALSE(isEmptyOrZero(QStringLiteral("DMM")));
    EXPECT_FALSE(isEmptyOrZero(-1));
}

} // namespace
