#include "config/TestLine.h"
#include "frame/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace XQTestDev;

namespace {

TEST(TestLine, SplitsEveryFieldAsWritten) {
    const TestLine line = parseTestLine(
        1, QStringLiteral("VOUT1, 4.75 ,5.25,5.00,V,Output ,Output voltage 1,FLAG,extra"));
    EXPECT_EQ(line.number, 1);
    EXPECT_EQ(line.kind, LineKind::Complete);
    EXPECT_EQ(line.fieldCount, 9);
    EXPECT_EQ(line.dbFieldName, QStringLiteral("VOUT1"));
    EXPECT_EQ(line.minSpec, QStringLiteral(" 4.75 "));
    EXPECT_EQ(line.maxSpec, QStringLiteral("5.25"));
    EXPECT_EQ(line.targetSpec, QStringLiteral("5.00"));
    EXPECT_EQ(line.unit, QStringLiteral("V"));
    EXPECT_EQ(line.groupName, QStringLiteral("Output "));
    EXPECT_EQ(line.parameterName, QStringLiteral("Output voltage 1"));
    EXPECT_EQ(line.customFlag, QStringLiteral("FLAG"));
}

struct KindCase {
    const char* text;
    LineKind kind;
};

class LineKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(LineKinds, Classifies) {
    EXPECT_EQ(parseTestLine(3, QString::fromUtf8(GetParam().text)).kind, GetParam().kind)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, LineKinds,
                         ::testing::Values(KindCase{"", LineKind::Empty},
                                           KindCase{"<EOT>", LineKind::EndTag},
                                           KindCase{"<eot>,,,", LineKind::EndTag},
                                           KindCase{"<Eot>", LineKind::EndTag},
                                           KindCase{" <EOT>", LineKind::Incomplete},
                                           KindCase{"A,1,2,3,V,Power", LineKind::Incomplete},
                                           KindCase{",,,,,Power,Idle current", LineKind::Complete},
                                           KindCase{"A,1,2,3,V,Power,Vout,", LineKind::Complete},
                                           KindCase{",", LineKind::Incomplete}));

TEST(TestLine, SevenFieldsHaveNoCustomFlag) {
    const TestLine line = parseTestLine(7, QStringLiteral("IQ,,0.5,,mA,Power,Idle current"));
    EXPECT_EQ(line.kind, LineKind::Complete);
    EXPECT_EQ(line.fieldCount, 7);
    EXPECT_TRUE(line.customFlag.isEmpty());
    EXPECT_TRUE(line.minSpec.isEmpty());
}

struct NumberCase {
    const char* text;
    bool numeric;
    double leading;
};

class Numbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Numbers, ReadAsNumbers) {
    const NumberCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(isNumericText(text), c.numeric) << c.text;
    EXPECT_DOUBLE_EQ(leadingNumber(text), c.leading) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Numbers,
    ::testing::Values(NumberCase{"5.25", true, 5.25}, NumberCase{" -0.5 ", true, -0.5},
                      NumberCase{"+3", true, 3}, NumberCase{".5", true, 0.5},
                      NumberCase{"5.", true, 5}, NumberCase{"1e3", true, 1000},
                      NumberCase{"2.5E-2", true, 0.025}, NumberCase{"", false, 0},
                      NumberCase{"----", false, 0}, NumberCase{"N/A", false, 0},
                      NumberCase{"5,25", false, 5}, NumberCase{"5.25 V", false, 5.25},
                      NumberCase{"1e", false, 1}, NumberCase{"-", false, 0},
                      NumberCase{".", false, 0}, NumberCase{"inf", false, 0},
                      NumberCase{"nan", false, 0}, NumberCase{"0x10", false, 0},
                      NumberCase{"1 000", false, 1}, NumberCase{"12abc", false, 12}));

TEST(Numbers, HugeValuesBecomeInfinite) {
    EXPECT_TRUE(isNumericText(QStringLiteral("1e999")));
    EXPECT_TRUE(std::isinf(leadingNumber(QStringLiteral("1e999"))));
    EXPECT_LT(leadingNumber(QStringLiteral("-1e999")), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral("1e-999")), 0.0);
    EXPECT_TRUE(isNumericText(QString(400, QLatin1Char('9'))));
    EXPECT_TRUE(std::isinf(leadingNumber(QString(400, QLatin1Char('9')))));
}

} // namespace
