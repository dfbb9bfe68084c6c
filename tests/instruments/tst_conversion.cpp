#include "instruments/LineEnd.h"
#include "instruments/ReadingConversion.h"

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct ConversionCase {
    const char* reply;
    const char* delimiter;
    double scale;
    double offset;
    const char* shown; // value text, blank, unit text
    bool isNumber;
    double value;
};

class ConversionTable : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTable, ReplyBecomesReading) {
    const ConversionCase& c = GetParam();
    ConversionSettings settings;
    settings.delimiter = QString::fromLatin1(c.delimiter);
    settings.scaleFactor = c.scale;
    settings.offset = c.offset;
    settings.unit = QStringLiteral("V");
    const ConvertedReading reading = convertReply(QString::fromLatin1(c.reply), settings);
    EXPECT_EQ(reading.valueText + QLatin1Char(' ') + reading.unitText, QString::fromLatin1(c.shown))
        << c.reply;
    EXPECT_EQ(reading.isNumber, c.isNumber) << c.reply;
    if (c.isNumber) {
        EXPECT_DOUBLE_EQ(reading.value, c.value) << c.reply;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConversionTable,
    ::testing::Values(ConversionCase{"0.0000005", "\n", 1, 0, "0.5 uV", true, 0.0000005},
                      ConversionCase{"0.0000012", "\n", 1, 0, "0.001 mV", true, 0.0000012},
                      ConversionCase{"0.0005", "\n", 1, 0, "0.5 mV", true, 0.0005},
                      ConversionCase{"0.002", "\n", 1, 0, "0.002 V", true, 0.002},
                      ConversionCase{"0", "\n", 1, 0, "0.0 uV", true, 0.0},
                      ConversionCase{"2500", "\n", 1, 0, "2.5 KV", true, 2500},
                      ConversionCase{"2E12", "\n", 1, 0, "OL -V", true, 2e12},
                      ConversionCase{"3", "\n", -2, 1, "-5.0 V", true, -5},
                      ConversionCase{"1.5,V", ",", 1, 0, "1.5 V", true, 1.5},
                      ConversionCase{"1.5,V", "\n", 1, 0, "Error ----", false, 0},
                      ConversionCase{"ERR", "\n", 1, 0, "Error ----", false, 0},
                      ConversionCase{"", "\n", 1, 0, "---- ----", false, 0},
                      ConversionCase{"1e400", "\n", 1, 0, "Error ----", false, 0},
                      ConversionCase{"+5.01234E+00\n", "\n", 1, 0, "5.012 V", true, 5.01234},
                      ConversionCase{"1.234\r\n", "\n", 1, 0, "1.234 V", true, 1.234},
                      ConversionCase{"2.5\r\n3.5\r\n", "\n", 1, 0, "2.5 V", true, 2.5},
                      ConversionCase{"4.5\r\n", "\r\n", 1, 0, "4.5 V", true, 4.5},
                      ConversionCase{"1.5\rV\n", "\n", 1, 0, "Error ----", false, 0},
                      ConversionCase{"1.5\r,V", ",", 1, 0, "1.5 V", true, 1.5},
                      ConversionCase{"4.99\r", "\n", 1, 0, "4.99 V", true, 4.99},
                      ConversionCase{"4.99\r", "", 1, 0, "4.99 V", true, 4.99},
                      ConversionCase{"1.5E+00X2", "x", 1, 0, "1.5 V", true, 1.5},
                      ConversionCase{"3.2E9", "\n", 1, 0, "3.2 GV", true, 3.2e9},
                      ConversionCase{"-4.5E6", "\n", 1, 0, "-4.5 MV", true, -4.5e6},
                      ConversionCase{"999999.9", "\n", 1, 0, "1,000.0 KV", true, 999999.9},
                      ConversionCase{"0.001", "\n", 1, 0, "1.0 mV", true, 0.001}));

// Every transport hands its reply on with the bus's one line end.
TEST(LineEnd, CrLfAndALoneCrBecomeTheBusLineFeed) {
    EXPECT_EQ(withBusLineEnd("4.99\r\n"), QByteArray("4.99\n"));
    EXPECT_EQ(withBusLineEnd("4.99\r"), QByteArray("4.99\n"));
    EXPECT_EQ(withBusLineEnd("4.99\n"), QByteArray("4.99\n"));
    EXPECT_EQ(withBusLineEnd("4.99"), QByteArray("4.99"));
    EXPECT_EQ(withBusLineEnd("a\rb"), QByteArray("a\rb"));
}

TEST(ReadingNumberFormat, GroupsThousandsAndKeepsOneToThreeDecimals) {
    EXPECT_EQ(formatReadingNumber(1234567.891), QStringLiteral("1,234,567.891"));
    EXPECT_EQ(formatReadingNumber(12.34567), QStringLiteral("12.346"));
    EXPECT_EQ(formatReadingNumber(-0.00001), QStringLiteral("0.0"));
    EXPECT_EQ(formatReadingNumber(-1000), QStringLiteral("-1,000.0"));
    EXPECT_EQ(formatReadingNumber(0.1), QStringLiteral("0.1"));
}

} // namespace
