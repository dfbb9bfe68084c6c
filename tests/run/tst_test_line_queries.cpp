#include "RunFixture.h"

#include <XQTestDev/XQMenu32.h>

#include <gtest/gtest.h>

#include <functional>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

using Query = std::function<QVariant(const XQMenu32&, const QString&, const QString&)>;

const Query DbField = [](const XQMenu32& m, const QString& g, const QString& p) {
    return QVariant(m.GetDBFieldName(g, p));
};
const Query Min = [](const XQMenu32& m, const QString& g, const QString& p) {
    return m.GetMinSpec(g, p);
};
const Query Max = [](const XQMenu32& m, const QString& g, const QString& p) {
    return m.GetMaxSpec(g, p);
};
const Query Target = [](const XQMenu32& m, const QString& g, const QString& p) {
    return m.GetTargetSpec(g, p);
};
const Query Unit = [](const XQMenu32& m, const QString& g, const QString& p) {
    return QVariant(m.GetUnit(g, p));
};
const Query Flag = [](const XQMenu32& m, const QString& g, const QString& p) {
    return QVariant(m.GetCustomFlag(g, p));
};

// The test lines for most cases.
const std::vector<const char*> Station = {
    "VIN,11.4,12.6,12.0,V,Power,Input voltage,",
    "",
    "IQ,,0.5,,mA,Power,Idle current",
    "PG,, 0.50 ,,,Power,Power good,FLAG",
    "RIP,N/A,50,,mV,Output, Ripple,",
    "<EOT>",
};

struct QueryCase {
    const char* name;
    std::vector<const char*> lines;
    Query query;
    const char* group;
    const char* parameter;
    const char* expected;
    const char* message; // nullptr: no message
};

const QueryCase Cases[] = {
    {"DbFieldName", Station, DbField, "Power", "Input voltage", "VIN", nullptr},
    {"MinAsWritten", Station, Min, "Power", "Input voltage", "11.4", nullptr},
    {"TargetKeepsItsZero", Station, Target, "Power", "Input voltage", "12.0", nullptr},
    {"EmptyMinAfterAGap", Station, Min, "Power", "Idle current", "", nullptr},
    {"MaxAfterAGap", Station, Max, "Power", "Idle current", "0.5", nullptr},
    {"NoFlagOnSevenFields", Station, Flag, "Power", "Idle current", "", nullptr},
    {"UnitOfSevenFields", Station, Unit, "Power", "Idle current", "mA", nullptr},
    {"BlanksOfALimitKept", Station, Max, "Power", "Power good", " 0.50 ", nullptr},
    {"CustomFlag", Station, Flag, "Power", "Power good", "FLAG", nullptr},
    {"GroupInOtherCase", Station, Unit, "power", "Idle current", "", nullptr},
    {"BlankBeforeParameterInTheFile", Station, Unit, "Output", "Ripple", "", nullptr},
    {"NotListedBeforeEndTag", Station, Unit, "Power", "Output voltage", "", nullptr},
    {"EmptyGroupName", Station, Unit, "", "Idle current", "", "Missing group name!"},
    {"EmptyParameterName", Station, Min, "Power", "", "", "Missing group name!"},
    {"IncompleteLineBeforeTheMatch",
     {"VIN,11.4,12.6,12,V,Power,Input voltage,", "IQ,,0.5,,mA,Power", "PG,,,,,Power,Power good,",
      "<EOT>"},
     Unit,
     "Power",
     "Power good",
     "",
     "Specification Info. in INI is not completed or missing at line#2!"},
    {"IncompleteLineAfterTheMatch",
     {"VIN,11.4,12.6,12,V,Power,Input voltage,", "IQ,,0.5", "<EOT>"},
     Unit,
     "Power",
     "Input voltage",
     "V",
     nullptr},
    {"EndTagInAnyCase",
     {"<eot>", "VIN,11.4,12.6,12,V,Power,Input voltage,"},
     Unit,
     "Power",
     "Input voltage",
     "",
     nullptr},
};

class TestLineQueryTest : public RunTest, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(TestLineQueryTest, AnswersWithTheFieldAsWritten) {
    const QueryCase& c = GetParam();
    QByteArray text = "[PSU Spec]\r\n";
    int number = 1;
    for (const char* line : c.lines)
        text += QByteArray::number(number++) + '=' + line + "\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text);
    XQMenu32 menu;
    // A query never writes: the results file stays as it was.
    writeFile(resultsFile(), "[PSU Test Results]\r\nOverallPassFail=PASS\r\n");
    const QByteArray before = readFile(resultsFile());

    const QVariant answer =
        c.query(menu, QString::fromUtf8(c.group), QString::fromUtf8(c.parameter));

    EXPECT_EQ(answer.typeId(), QMetaType::QString);
    EXPECT_EQ(answer.toString(), QString::fromUtf8(c.expected));
    const QStringList expectedMessages =
        c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
    EXPECT_EQ(recorder->texts(), expectedMessages);
    EXPECT_EQ(readFile(resultsFile()), before);
}

INSTANTIATE_TEST_SUITE_P(Table, TestLineQueryTest, ::testing::ValuesIn(Cases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(RunTest, TestLineQueryWithoutProductAsksForTheUserEntry) {
    writeSpec({"VIN,11.4,12.6,12,V,Power,Input voltage,", "<EOT>"});
    runModel().run.product.clear();
    XQMenu32 menu;
    EXPECT_EQ(menu.GetUnit(QStringLiteral("Power"), QStringLiteral("Input voltage")), QString());
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("Missing product name!, Please at least one time do "
                                         "selected the product from user entry form!.")});
}

// 499 keys without an end tag: the query gives up at the last key.
TEST_F(RunTest, TestLineQueryWithoutEndTagStopsAtTheLastKey) {
    QByteArray text = "[PSU Spec]\r\n";
    for (int number = 1; number <= 499; ++number)
        text += QByteArray::number(number) + "=F,1,2,,V,G,P" + QByteArray::number(number) + ",\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text);
    XQMenu32 menu;
    EXPECT_EQ(menu.GetUnit(QStringLiteral("G"), QStringLiteral("P499")), QStringLiteral("V"));
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_EQ(menu.GetMaxSpec(QStringLiteral("G"), QStringLiteral("P500")).toString(), QString());
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral(
                                     "Can't reach to End Of Test <EOT> record!, Group name G and "
                                     "P500!.")});
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
}

} // namespace
