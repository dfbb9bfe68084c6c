// The row as a readable statement and back, and how each column stores its
// text: the pieces that make a replayed row the same as the original one.

#include "output/database/DatabaseRow.h"
#include "output/database/DatabaseRunRow.h"
#include "output/database/PostgresStore.h"
#include "output/database/StatementParser.h"
#include "output/database/StatementText.h"

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct RoundTrip {
    const char* name;
    DatabaseRow row;
    QString text;
};

class StatementRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(StatementRoundTrip, RendersTheReadableTextAndReadsBackTheSameRow) {
    const RoundTrip& c = GetParam();
    EXPECT_EQ(statementText(c.row), c.text);
    const ParsedStatement parsed = parseStatement(c.text);
    EXPECT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    EXPECT_EQ(parsed.row, c.row);
    EXPECT_EQ(parsed.hasPlaceholder, c.row.table.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatementRoundTrip,
    ::testing::Values(
        RoundTrip{"Plain",
                  {"PSU_T", {"Model", "VOUT"}, {"M1", "1.18"}},
                  "INSERT INTO [PSU_T] ([Model],[VOUT]) VALUES ('M1','1.18')"},
        RoundTrip{"QuotesDoubled",
                  {"T", {"SerialNumber"}, {"x'); DROP TABLE t; --"}},
                  "INSERT INTO [T] ([SerialNumber]) VALUES ('x''); DROP TABLE t; --')"},
        RoundTrip{"CommasBarsAndLetters",
                  {"T", {"Remark1", "Remark2"}, {"a, b | c", QString::fromUtf8("Prüfplatz ÄÖ")}},
                  QString::fromUtf8("INSERT INTO [T] ([Remark1],[Remark2]) VALUES ('a, b | c',"
                                    "'Prüfplatz ÄÖ')")},
        RoundTrip{"BracketsInNames",
                  {"T]x", {"A]B", "C"}, {"", "''"}},
                  "INSERT INTO [T]]x] ([A]]B],[C]) VALUES ('','''''')"},
        RoundTrip{"Placeholder",
                  {"", {"Model"}, {"M1"}},
                  "INSERT INTO XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX ([Model]) VALUES "
                  "('M1')"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(StatementParser, ReadsATableNameFilledInWithBlanks) {
    const ParsedStatement parsed =
        parseStatement(QStringLiteral("insert into PSU_T") + QString(45, u' ') +
                       QStringLiteral(" ([Model]) values ('M1')  "));
    EXPECT_TRUE(parsed.error.isEmpty());
    EXPECT_EQ(parsed.row.table, QStringLiteral("PSU_T"));
    EXPECT_FALSE(parsed.hasPlaceholder);
}

TEST(StatementParser, PlaceholderIsFoundWithoutRegardToCase) {
    const ParsedStatement parsed = parseStatement(
        QStringLiteral("INSERT INTO ") + QString(50, u'x') + QStringLiteral(" ([A]) VALUES ('1')"));
    EXPECT_TRUE(parsed.error.isEmpty());
    EXPECT_TRUE(parsed.hasPlaceholder);
    EXPECT_TRUE(parsed.row.table.isEmpty());
}

class UnreadableStatement : public ::testing::TestWithParam<const char*> {};

TEST_P(UnreadableStatement, IsAnError) {
    const ParsedStatement parsed = parseStatement(QString::fromUtf8(GetParam()));
    EXPECT_FALSE(parsed.error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableStatement,
                         ::testing::Values("", "DELETE FROM T", "INSERT INTO [T ([A]) VALUES ('1')",
                                           "INSERT INTO ([A]) VALUES ('1')",
                                           "INSERT INTO [T] (A) VALUES ('1')",
                                           "INSERT INTO [T] ([A]) VALUES ('1', '2')",
                                           "INSERT INTO [T] ([A],[B]) VALUES ('1')",
                                           "INSERT INTO [T] ([A]) VALUES ('1)",
                                           "INSERT INTO [T] ([A]) VALUES ('1'); "
                                           "DROP TABLE T",
                                           "INSERT INTO [T] ([A]) ('1')", "\x01\x02\xff binary"));

struct RecordedCase {
    const char* recorded;
    const char* stored;
};

class RecordedValue : public ::testing::TestWithParam<RecordedCase> {};

TEST_P(RecordedValue, BecomesTheStoredText) {
    EXPECT_EQ(testValueText(QString::fromUtf8(GetParam().recorded)),
              QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Values, RecordedValue,
                         ::testing::Values(RecordedCase{"----", "999.999"},
                                           RecordedCase{"1--2", "999.999"},
                                           RecordedCase{"PASS", "-1"}, RecordedCase{"pass", "-1"},
                                           RecordedCase{" Yes ", "-1"}, RecordedCase{"true", "-1"},
                                           RecordedCase{"ON", "-1"}, RecordedCase{"FAIL", "0"},
                                           RecordedCase{"no", "0"}, RecordedCase{"False", "0"},
                                           RecordedCase{"off", "0"}, RecordedCase{" 1.18 ", "1.18"},
                                           RecordedCase{"-0.5", "-0.5"}, RecordedCase{"", ""},
                                           RecordedCase{"OPEN", "OPEN"}));

struct BindCase {
    const char* column;
    const char* text;
    QVariant value; // an invalid QVariant: NULL
};

class BoundValues : public ::testing::TestWithParam<BindCase> {};

TEST_P(BoundValues, TakeTheTypeOfTheirColumn) {
    const BindCase& c = GetParam();
    const QVariant bound = boundValue(QLatin1String(c.column), QString::fromUtf8(c.text));
    if (!c.value.isValid()) {
        EXPECT_TRUE(bound.isNull());
        return;
    }
    EXPECT_EQ(bound.metaType(), c.value.metaType());
    EXPECT_EQ(bound, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, BoundValues,
    ::testing::Values(
        BindCase{"VOUT", "1.18", 1.18}, BindCase{"VOUT", "-1", -1.0},
        BindCase{"vout", "999.999", 999.999}, BindCase{"VOUT", "1e3", 1000.0},
        BindCase{"VOUT", "", {}}, BindCase{"VOUT", "OPEN", QStringLiteral("OPEN")},
        BindCase{"VOUT", "1,5", QStringLiteral("1,5")},
        BindCase{"VOUT", "1.4.2", QStringLiteral("1.4.2")},
        BindCase{"VOUT", "inf", QStringLiteral("inf")},
        BindCase{"serialnumber", "007", QStringLiteral("007")},
        BindCase{"PassFail", "", QStringLiteral("")},
        BindCase{"TestStartTime", "03/07/2024 02:05:09 pm", QStringLiteral("2024-03-07 14:05:09")},
        BindCase{"TESTFINISHTIME", "12/31/2024 12:00:15 am", QStringLiteral("2024-12-31 00:00:15")},
        BindCase{"TestStartTime", "soon", {}}));

struct AddressCase {
    const char* serverName;
    const char* host;
    int port;
};

class ServerNames : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ServerNames, GiveHostAndPort) {
    const ServerAddress address = parseServerName(QLatin1String(GetParam().serverName));
    EXPECT_EQ(address.host, QLatin1String(GetParam().host));
    EXPECT_EQ(address.port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(Names, ServerNames,
                         ::testing::Values(AddressCase{"db.factory", "db.factory", 5432},
                                           AddressCase{"db.factory:6543", "db.factory", 6543},
                                           AddressCase{" 10.0.0.5:5433 ", "10.0.0.5", 5433},
                                           AddressCase{"::1", "::1", 5432},
                                           AddressCase{"host:notaport", "host:notaport", 5432}));

} // namespace
