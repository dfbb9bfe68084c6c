// What each cell of a test line prints, and the listing of the print groups.

#include "config/ProductDefinition.h"
#include "output/PrintGroups.h"
#include "output/ReportCells.h"

#include "support/StationFixture.h"

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

std::string s(const QString& text) {
    return text.toStdString();
}

TEST(ReportCells, RecordedResultAndVerdict) {
    struct Case {
        const char* recorded;
        const char* result;
        const char* verdict;
    } cases[] = {
        {"----|----", "????", "----"},
        {"PASS|Pass", "PASS", "Pass"},
        {"pass|Pass", "pass", "Pass"},
        {"Off|Fail", "Off", "Fail"},
        {"OPEN|Fail", "????", "Fail"},
        {"12345.678|Pass", "12,345.68", "Pass"},
        {"3.14159|Pass", "3.142", "Pass"},
        {"9999.5|Pass", "9,999.5", "Pass"},
        {"-12345.678|Fail", "-12,345.68", "Fail"},
        {"42|Pass", "42", "Pass"},
        {"-0.0004|Pass", "-0.0", "Pass"},
        {"1e20|Pass", "100,000,000,000,000,000,000", "Pass"},
        {"1e999|Pass", "????", "Pass"},
        {" 5.5 | Pass ", "5.5", "Pass"},
        {"|Pass", "????", "Pass"},
        {"5|", "5", "????"},
        {"5", "????", "????"},
        {"", "????", "????"},
        {"1|2|3", "????", "????"},
    };
    for (const Case& c : cases) {
        const ResultCells cells = resultCells(QString::fromLatin1(c.recorded));
        EXPECT_EQ(s(cells.result), c.result) << c.recorded;
        EXPECT_EQ(s(cells.verdict), c.verdict) << c.recorded;
    }
}

TEST(ReportCells, Limits) {
    struct Case {
        const char* field;
        const char* printed;
    } cases[] = {{"", "----"},       {"   ", "----"},      {" 4.75 ", "4.75"},
                 {"5", "5.0"},       {"-0", "0.0"},        {"1234567.5", "1,234,567.5"},
                 {"0.00049", "0.0"}, {"word", "word"},     {"5 V", "5 V"},
                 {"1e999", "1e999"}, {"-2.5e-3", "-0.003"}};
    for (const Case& c : cases)
        EXPECT_EQ(s(limitCell(QString::fromLatin1(c.field))), c.printed) << c.field;
}

TEST(ReportCells, DescriptionsOfThirtyEightCharactersOrMoreAreCut) {
    bool cut = true;
    EXPECT_EQ(descriptionCell(QString(37, QLatin1Char('d')), &cut).size(), 37);
    EXPECT_FALSE(cut);
    EXPECT_EQ(s(descriptionCell(QStringLiteral("  Idle current "), &cut)), "Idle current");
    EXPECT_FALSE(cut);
    const QString longer = QString(37, QLatin1Char('d')) + QLatin1Char('X');
    EXPECT_EQ(descriptionCell(longer, &cut), QString(37, QLatin1Char('d')));
    EXPECT_TRUE(cut);
}

ProductSpec specOf(const QStringList& lines) {
    std::vector<TestLine> parsed;
    for (int i = 0; i < lines.size(); ++i)
        parsed.push_back(parseTestLine(i + 1, lines[i]));
    return ProductSpec(QStringLiteral("PSU"), QString(), std::move(parsed));
}

class PrintGroupListing : public StationTest {};

TEST_F(PrintGroupListing, FollowsChangesOfGroupFromLineToLine) {
    const ProductSpec spec =
        specOf({QStringLiteral("F,,,,,Power,a"), QStringLiteral("F,,,,,power,b"),
                QStringLiteral("F,,,,,Output,c"), QStringLiteral(""), QStringLiteral("F,,,,,,d"),
                QStringLiteral("F,,,,,Power,e"), QStringLiteral("F,,,,,Fan ,f"),
                QStringLiteral("<EOT>"), QStringLiteral("F,,,,,After,g")});
    EXPECT_EQ(s(listPrintGroups(spec)), "Power,Output,Power,Fan ");
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(PrintGroupListing, IncompleteLineOrNoEndTagGivesNothing) {
    EXPECT_TRUE(
        listPrintGroups(specOf({QStringLiteral("F,,,,,Power,a"), QStringLiteral("F,,,,,Power")}))
            .isEmpty());
    QStringList noEnd;
    for (int i = 0; i < 499; ++i)
        noEnd << QStringLiteral("F,,,,,Power,p%1").arg(i);
    EXPECT_TRUE(listPrintGroups(specOf(noEnd)).isEmpty());
    EXPECT_EQ(
        recorder->texts(),
        QStringList(
            {QStringLiteral("Specification Info. in INI is not completed or missing at line #2!"),
             QStringLiteral("Can't reach to End Of Test <EOT> record!")}));
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
}

TEST(PrintGroupNames, SplitAndTrimmed) {
    EXPECT_EQ(printGroupNames(QStringLiteral(" Output , Power")),
              QStringList({QStringLiteral("Output"), QStringLiteral("Power")}));
    EXPECT_TRUE(printGroupNames(QString()).isEmpty());
}

} // namespace
