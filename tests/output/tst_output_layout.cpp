// Lines of the report page, the lines-per-page setting and the page-full rule.

#include "output/ReportLayout.h"
#include "output/ReportPaging.h"

#include <gtest/gtest.h>

#include <limits>

using namespace XQTestDev;

namespace {

std::string s(const QString& text) {
    return text.toStdString();
}

TEST(ReportLayout, CentringRoundsHalfToEven) {
    struct Case {
        qsizetype length;
        std::optional<int> blanks;
    } cases[] = {{0, 40},  {20, 30}, {21, 30}, {23, 28},           {25, 28},
                 {27, 26}, {80, 0},  {81, 0},  {82, std::nullopt}, {200, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(centringBlanks(c.length), c.blanks) << c.length;
    EXPECT_EQ(s(*centred(QStringLiteral("***PASS***"))), std::string(35, ' ') + "***PASS***");
    EXPECT_FALSE(centred(QString(82, QLatin1Char('x'))).has_value());
}

TEST(ReportLayout, TitleNamesTheTestIdUnlessItIsProduction) {
    struct Case {
        const char* testId;
        const char* title;
    } cases[] = {{"Production", "ACME PSU-12 Test Report"},
                 {"production", "ACME PSU-12 Test Report (production)"},
                 {"Production ", "ACME PSU-12 Test Report (Production )"},
                 {"Burn-in", "ACME PSU-12 Test Report (Burn-in)"},
                 {"", "ACME PSU-12 Test Report ()"}};
    for (const Case& c : cases)
        EXPECT_EQ(s(titleText(QStringLiteral("ACME"), QStringLiteral("PSU-12"),
                              QString::fromLatin1(c.testId))),
                  c.title);
    EXPECT_EQ(s(titleText(QString(), QStringLiteral("PSU"), QStringLiteral("Production"))),
              " PSU Test Report");
    EXPECT_EQ(s(verdictText(QStringLiteral("FAIL"))), "***FAIL***");
}

TEST(ReportLayout, InformationLinePadsTheLeftPartToSixtySixColumns) {
    const QString line =
        informationLine(QStringLiteral("Operator ID   "), QStringLiteral("OP01"),
                        QStringLiteral("Test Date     "), QStringLiteral("03/07/2024"));
    EXPECT_EQ(s(line),
              "       Operator ID   OP01" + std::string(48, ' ') + "Test Date     03/07/2024");
}

struct ClipCase {
    int valueLength;
    std::string left; // the left part as printed, label included
};

TEST(ReportLayout, InformationLineClipsALongLeftPartToSixtySixWithATilde) {
    const QString label = QStringLiteral("Serial Number ");
    const ClipCase cases[] = {
        {52, "Serial Number " + std::string(52, '9')},
        {53, "Serial Number " + std::string(51, '9') + "~"},
        {1022, "Serial Number " + std::string(51, '9') + "~"},
    };
    for (const ClipCase& c : cases) {
        const QString line =
            informationLine(label, QString(c.valueLength, QLatin1Char('9')),
                            QStringLiteral("ATE ID        "), QStringLiteral("A7"));
        EXPECT_EQ(s(line), "       " + c.left + "ATE ID        A7") << c.valueLength;
    }
}

TEST(ReportLayout, TitleAndVerdictAreClippedToWhatCanBeCentred) {
    EXPECT_EQ(s(centredHeading(QStringLiteral("***PASS***"))), std::string(35, ' ') + "***PASS***");
    EXPECT_EQ(s(centredHeading(QString(81, QLatin1Char('x')))), std::string(81, 'x'));
    EXPECT_EQ(s(centredHeading(QString(82, QLatin1Char('x')))), std::string(80, 'x') + "~");
    EXPECT_EQ(s(centredHeading(QString(1022, QLatin1Char('x')))), std::string(80, 'x') + "~");
}

TEST(ReportLayout, RemarkLabelIsCutToThirteenAndPaddedToFourteen) {
    EXPECT_EQ(s(remarkLabel(QStringLiteral("Customer Order No"))), "Customer Orde ");
    EXPECT_EQ(s(remarkLabel(QStringLiteral("PO"))), "PO            ");
    EXPECT_EQ(s(remarkLabel(QString())), std::string(14, ' '));
}

TEST(ReportLayout, TestLineColumnsEndUnderTheHeadingWords) {
    const QString heading = columnHeading();
    EXPECT_EQ(heading.size(), 7 + 90);
    EXPECT_EQ(s(ruleLine()), std::string(7, ' ') + std::string(90, '-'));

    const QString line = testLine({QStringLiteral("Output voltage 1"), QStringLiteral("4.75"),
                                   QStringLiteral("5.25"), QStringLiteral("5.012"),
                                   QStringLiteral("V"), QStringLiteral("Pass")});
    const auto endOf = [](const QString& text, const char* word) {
        return text.indexOf(QLatin1String(word)) + qsizetype(qstrlen(word)) - 1;
    };
    EXPECT_EQ(endOf(line, "4.75"), endOf(heading, "Min Spec"));
    EXPECT_EQ(endOf(line, "5.25"), endOf(heading, "Max Spec"));
    EXPECT_EQ(endOf(line, "5.012"), endOf(heading, "Results"));
    EXPECT_EQ(line.lastIndexOf(QLatin1Char('V')), endOf(heading, "Units"));
    EXPECT_EQ(endOf(line, "Pass"), endOf(heading, "Pass/Fail") - 1);
    EXPECT_EQ(line.indexOf(QLatin1String("Output")), 7);
    EXPECT_EQ(line.size(), 7 + 89);
}

TEST(ReportLayout, AFieldWiderThanItsColumnIsCutWithATilde) {
    struct Case {
        const char* value;
        int width;
        const char* expected;
    } cases[] = {{"12,345,678.9", 10, "12,345,67~"},
                 {"1234567890", 10, "1234567890"},
                 {"12345678901", 10, "123456789~"},
                 {"milliohms", 8, "millioh~"},
                 {"", 9, "         "},
                 {"PASS", 9, "     PASS"}};
    for (const Case& c : cases) {
        const QString cell = rightAligned(QString::fromLatin1(c.value), c.width);
        EXPECT_EQ(s(cell), c.expected);
        EXPECT_EQ(cell.size(), c.width);
    }
    // A cut cell keeps every later column in its place.
    const QString line = testLine({QStringLiteral("Gain"), QStringLiteral("-123,456.789"),
                                   QStringLiteral("1"), QStringLiteral("100,000,000,000"),
                                   QStringLiteral("microvolts"), QStringLiteral("NOT TESTED")});
    EXPECT_EQ(s(line), "       Gain" + std::string(34, ' ') + "-123,456.7~" + std::string(10, ' ') +
                           "1100,000,0~microvo~  NOT TEST~");
}

TEST(ReportLayout, FooterAndEndLines) {
    const std::string indent(7, ' ');
    EXPECT_EQ(s(pageFooter(2)),
              indent + std::string(32, '-') + "Page 2 (See Continue Pages)" + std::string(31, '-'));
    EXPECT_EQ(s(endLine(1)),
              indent + std::string(39, '-') + "End of Report" + std::string(38, '-'));
    EXPECT_EQ(s(endLine(12)), indent + std::string(29, '-') + "End of Report (Total Pages is 12)" +
                                  std::string(29, '-'));
    EXPECT_EQ(s(groupHeading(QStringLiteral("Power"))), indent + "[Power]");
    EXPECT_EQ(s(continuationHeading(QStringLiteral("Power"))), indent + "[Power] Continue");
}

TEST(ReportPaging, LinesPerPageSetting) {
    struct Case {
        const char* setting;
        int lines;
    } cases[] = {{"40", 50},
                 {"49.9", 50},
                 {"-5", 50},
                 {"50", 48},
                 {"60", 58},
                 {"50.5", 48},
                 {"51.5", 50},
                 {"52.5", 50},
                 {" 60 ", 58},
                 {"abc", 65},
                 {"", 65},
                 {"60 lines", 65},
                 {"1e20", std::numeric_limits<int>::max()}};
    for (const Case& c : cases)
        EXPECT_EQ(linesPerPage(QString::fromLatin1(c.setting)), c.lines) << c.setting;
}

TEST(ReportPaging, APageIsFullOnceTheCountReachesOrPassesTheLimit) {
    PageCount count;
    count.lines = 57;
    EXPECT_FALSE(count.isFull(58));
    count.lines = 58;
    EXPECT_TRUE(count.isFull(58));
    count.lines = 59; // a group heading stepped over the limit
    EXPECT_TRUE(count.isFull(58));
}

} // namespace
