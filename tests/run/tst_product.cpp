#include "RunFixture.h"
#include "config/ProductDefinition.h"
#include "run/GroupOrder.h"
#include "run/GroupRows.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString ProductsMissing =
    QStringLiteral("PRODUCTS.INI file is missing!, please check you INIPath property.");

class ProductTest : public RunTest {
protected:
    std::shared_ptr<const ProductSpec> spec() { return readProductSpec(QStringLiteral("PSU")); }
};

// ---- Reading the test lines --------------------------------------------

TEST_F(ProductTest, ReadsLinesByNumberAndSeesEdits) {
    writeSpec({"A,1,2,,V,Power,Vin", "<EOT>"});
    auto first = spec();
    EXPECT_EQ(first->line(1).parameterName, QStringLiteral("Vin"));
    EXPECT_EQ(first->line(2).kind, LineKind::EndTag);
    EXPECT_EQ(first->line(3).kind, LineKind::Empty);
    EXPECT_EQ(first->line(0).kind, LineKind::Empty);
    EXPECT_EQ(first->line(500).kind, LineKind::Empty);
    EXPECT_EQ(spec(), first) << "an unchanged file is not read again";

    // Same size, and on a coarse clock the same time: the edit is stamped with
    // a time of its own (an older one, as a copied file may carry).
    const QString path = iniDir() + QStringLiteral("PRODUCTS.INI");
    const QDateTime before = QFileInfo(path).lastModified();
    writeSpec({"A,1,2,,V,Power,Iin", "<EOT>"});
    QFile edited(path);
    ASSERT_TRUE(edited.open(QIODevice::ReadWrite));
    ASSERT_TRUE(edited.setFileTime(before.addSecs(-10), QFileDevice::FileModificationTime));
    edited.close();
    EXPECT_EQ(spec()->line(1).parameterName, QStringLiteral("Iin"));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ProductTest, MissingFileIsReportedOncePerRead) {
    const auto empty = spec();
    EXPECT_EQ(recorder->texts(), QStringList{ProductsMissing});
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Critical);
    EXPECT_EQ(empty->line(1).kind, LineKind::Empty);
}

TEST_F(ProductTest, EndTagAtKey499IsTheLastOneRead) {
    QByteArray lines = "[PSU Spec]\r\n";
    for (int n = 1; n <= 498; ++n)
        lines += QByteArray::number(n) + "=F,1,2,,V,G" + QByteArray::number(n / 10) + ",P" +
                 QByteArray::number(n) + "\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), lines + "499=<EOT>\r\n");
    GroupOrder order = screenGroupOrder(*spec());
    EXPECT_EQ(order.scan, OrderScan::Done);
    EXPECT_EQ(groupWindowNames(order.text).size(), 50);
    EXPECT_TRUE(recorder->messages.empty());

    writeIni(QStringLiteral("PRODUCTS.INI"), lines + "499=F,1,2,,V,G99,P\r\n500=<EOT>\r\n");
    order = screenGroupOrder(*spec());
    EXPECT_EQ(order.scan, OrderScan::NoEndTag);
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("There is not found the End Of Test <EOT> tag!")});
}

// ---- Group order ------------------------------------------------------

TEST_F(ProductTest, DerivedOrderFollowsChangesOfTheGroupField) {
    writeSpec({"A,,,,,Power,P1", "B,,,,,power,P2", "", "C,,,,,Output,O1", "D,,,,,,X",
               "E,,,,,Power,P3", "<eot>", "F,,,,,Late,L1"});
    const GroupOrder order = screenGroupOrder(*spec());
    EXPECT_EQ(order.scan, OrderScan::Done);
    // A group split by another is listed twice; the case of a name does not
    // start a new group; an empty group field is no group.
    EXPECT_EQ(order.text, QStringLiteral("Power,Output,Power"));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ProductTest, IncompleteLineStopsTheOrderScan) {
    writeSpec({"A,,,,,Power,P1", "B,1,2,3,V,Power", "<EOT>"});
    EXPECT_EQ(screenGroupOrder(*spec()).scan, OrderScan::IncompleteLine);
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral(
                  "Specification Info. in INI is not completed or missing at line #2!")});
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
}

TEST_F(ProductTest, ScreenGroupOrderIsUsedAsWrittenAndBlankItemsTakeNoNumber) {
    writeSpec({"A,1,2,3,V,Power", "<EOT>"}, "ScreenGroupOrder=Power, ,Output ,,\r\n");
    const GroupOrder order = screenGroupOrder(*spec());
    EXPECT_EQ(order.scan, OrderScan::Done) << "the incomplete line is never read";
    EXPECT_EQ(groupWindowNames(order.text),
              (QStringList{QStringLiteral("Power"), QStringLiteral("Output ")}));
}

// ---- Rows of one group ------------------------------------------------

TEST_F(ProductTest, RowsShowTrimmedFieldsAndDashesForNonNumericLimits) {
    writeSpec({"A, 4.75 , 5.25 ,5,  V ,Output, Output voltage ,", "B,N/A,10,,mA,output,Current",
               "C,,,,,Other,X", "D,-1,----,,,Output,Low", "<EOT>"});
    const GroupRows load = loadGroupRows(*spec(), QStringLiteral("Output"), 10);
    ASSERT_EQ(load.rows.size(), 3u);
    EXPECT_FALSE(load.specError);
    EXPECT_EQ(load.rows[0].lineNumber, 1);
    EXPECT_EQ(load.rows[0].parameter, QStringLiteral("Output voltage"));
    EXPECT_EQ(load.rows[0].minimum, QStringLiteral("4.75"));
    EXPECT_EQ(load.rows[0].maximum, QStringLiteral("5.25"));
    EXPECT_EQ(load.rows[0].unit, QStringLiteral("V"));
    EXPECT_EQ(load.rows[1].minimum, QStringLiteral("----"));
    EXPECT_EQ(load.rows[1].maximum, QStringLiteral("10"));
    EXPECT_EQ(load.rows[2].lineNumber, 4);
    EXPECT_EQ(load.rows[2].maximum, QStringLiteral("----"));
    EXPECT_TRUE(recorder->messages.empty());
}

struct LoadCase {
    const char* name;
    std::vector<const char*> lines;
    int rowLimit;
    size_t rows;
    const char* message; // nullptr: none
};

class GroupLoad : public ProductTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(GroupLoad, ReportsAndMarks) {
    const LoadCase& c = GetParam();
    QByteArray text = "[PSU Spec]\r\n";
    for (size_t i = 0; i < c.lines.size(); ++i)
        text += QByteArray::number(static_cast<int>(i + 1)) + '=' + c.lines[i] + "\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text);
    const GroupRows load = loadGroupRows(*spec(), QStringLiteral("G"), c.rowLimit);
    EXPECT_EQ(load.rows.size(), c.rows);
    EXPECT_EQ(load.specError, c.message != nullptr);
    const QStringList expected =
        c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
    EXPECT_EQ(recorder->texts(), expected);
}

std::vector<const char*> lines(int count, const char* line) {
    std::vector<const char*> out(static_cast<size_t>(count), line);
    out.push_back("<EOT>");
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GroupLoad,
    ::testing::Values(
        LoadCase{"MinEqualsMax",
                 {"A,5,5,,V,G,P1", "A,1,2,,V,G,P2", "<EOT>"},
                 10,
                 2,
                 "Warning! spec. error detected at line #1"},
        LoadCase{"MinAboveMax",
                 {"A,1,2,,V,G,P1", "A,3,2.5,,V,G,P2", "<EOT>"},
                 10,
                 2,
                 "Warning! spec. error detected at line #2"},
        LoadCase{"BlankLineInside",
                 {"A,1,2,,V,G,P1", "", "A,1,2,,V,G,P2", "<EOT>"},
                 10,
                 1,
                 "Specification Info. in INI is not complete or missing at line #2!"},
        LoadCase{"SixFields",
                 {"A,1,2,,V,G,P1", "A,1,2,,V,G", "<EOT>"},
                 10,
                 1,
                 "Specification Info. in INI is not completed or missing at line #2!"},
        LoadCase{"ListEndsWithoutTag",
                 {"A,1,2,,V,G,P1"},
                 10,
                 1,
                 "Specification Info. in INI is not complete or missing at line #2!"},
        LoadCase{"SixteenOnTallScreen", lines(16, "A,1,2,,V,G,P"), 15, 15,
                 "Test description number is exceed than 16!"},
        LoadCase{"ElevenOnShortScreen", lines(11, "A,1,2,,V,G,P"), 10, 10,
                 "Test description number is exceed than 11!"},
        LoadCase{"FifteenOnTallScreen", lines(15, "A,1,2,,V,G,P"), 15, 15, nullptr},
        LoadCase{"TextLimitsNeverCross", {"A,N/A,N/A,,V,G,P1", "<EOT>"}, 10, 1, nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

// Without an end tag the blank keys after the last line stop the load first;
// a list filled up to key 499 without the tag reaches the end of the scan.
TEST_F(ProductTest, ListWithoutEndTagUpTo499) {
    QByteArray text = "[PSU Spec]\r\n";
    for (int n = 1; n <= 499; ++n)
        text += QByteArray::number(n) + "=F,1,2,,V," + (n == 1 ? "G" : "H") + ",P\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text);
    const GroupRows load = loadGroupRows(*spec(), QStringLiteral("G"), 10);
    EXPECT_EQ(load.rows.size(), 1u);
    EXPECT_TRUE(load.specError);
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("Can't reach to End Of Test <EOT> record!")});
}

// ---- The walk over the test lines -----------------------------------------

ProductSpec specOf(const std::vector<const char*>& texts) {
    std::vector<TestLine> lines;
    int number = 1;
    for (const char* text : texts) {
        lines.push_back(parseTestLine(number, QString::fromUtf8(text)));
        ++number;
    }
    for (; number <= LastSpecKey; ++number)
        lines.push_back(parseTestLine(number, QString()));
    return ProductSpec(QStringLiteral("P"), QString(), std::move(lines));
}

const char* const Full = "F,1,2,,V,G,P";
const char* const Short = "F,1,2";

struct WalkCase {
    const char* name;
    std::vector<const char*> lines;
    AtGap gap;
    AtShortLine shortLine;
    std::vector<int> yielded;
    WalkEnd end;
    int endLine;
};

class Walk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(Walk, YieldsLinesAndTellsHowItEnded) {
    const WalkCase& c = GetParam();
    const ProductSpec spec = specOf(c.lines);
    TestLineWalk walk(spec, c.gap, c.shortLine);
    std::vector<int> yielded;
    while (const TestLine* line = walk.next())
        yielded.push_back(line->number);
    EXPECT_EQ(yielded, c.yielded);
    EXPECT_EQ(walk.end(), c.end);
    EXPECT_EQ(walk.endLine(), c.endLine);
    EXPECT_EQ(walk.next(), nullptr) << "an ended walk stays ended";
}

INSTANTIATE_TEST_SUITE_P(
    Table, Walk,
    ::testing::Values(WalkCase{"UpToTheEndTag",
                               {Full, Full, "<eot>", Full},
                               AtGap::Stop,
                               AtShortLine::Stop,
                               {1, 2},
                               WalkEnd::EndTag,
                               3},
                      WalkCase{"GapSkipped",
                               {Full, "", Full, "<EOT>"},
                               AtGap::Skip,
                               AtShortLine::Stop,
                               {1, 3},
                               WalkEnd::EndTag,
                               4},
                      WalkCase{"GapStops",
                               {Full, "", Full, "<EOT>"},
                               AtGap::Stop,
                               AtShortLine::Stop,
                               {1},
                               WalkEnd::Gap,
                               2},
                      WalkCase{"ShortLineStops",
                               {Full, Short, "<EOT>"},
                               AtGap::Skip,
                               AtShortLine::Stop,
                               {1},
                               WalkEnd::ShortLine,
                               2},
                      WalkCase{"ShortLineSkipped",
                               {Short, Full, "<EOT>"},
                               AtGap::Skip,
                               AtShortLine::Skip,
                               {2},
                               WalkEnd::EndTag,
                               3},
                      WalkCase{"ShortLineYielded",
                               {Short, Full, "<EOT>"},
                               AtGap::Stop,
                               AtShortLine::Yield,
                               {1, 2},
                               WalkEnd::EndTag,
                               3},
                      WalkCase{"NoEndTag",
                               {Full},
                               AtGap::Skip,
                               AtShortLine::Stop,
                               {1},
                               WalkEnd::NoEndTag,
                               LastSpecKey + 1},
                      WalkCase{
                          "EmptyList", {}, AtGap::Stop, AtShortLine::Stop, {}, WalkEnd::Gap, 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RowLimit, FollowsTheUsableScreenHeight) {
    EXPECT_EQ(rowLimitFor(9000), 10);
    EXPECT_EQ(rowLimitFor(11519), 10);
    EXPECT_EQ(rowLimitFor(11520), 15);
}

} // namespace
