// The library's own run tables in a real SQLite file: their exact shape, a
// 498-line run read back with plain SQL, a run stored once however often it
// is written, and tables of another version left alone.

#include "output/RunRecordFixture.h"
#include "output/database/RunTables.h"
#include "support/TestDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class RunTablesSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("runs"));
        db_.setDatabaseName(dir_.filePath(QStringLiteral("station.db")));
        ASSERT_TRUE(db_.open());
    }
    void TearDown() override {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("runs"));
    }

    QStringList column(const QString& sql) { return queryColumn(db_, sql); }
    QSqlRecord firstRow(const QString& sql) {
        QSqlQuery query(db_);
        EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        EXPECT_TRUE(query.next());
        return query.record();
    }
    qint64 store(const RunRecord& record, const QString& file = QStringLiteral("runs/a.json")) {
        QString error;
        EXPECT_TRUE(db_.transaction());
        const qint64 id = insertRunRecord(db_, record, file, &error);
        EXPECT_GT(id, 0) << error.toStdString();
        EXPECT_TRUE(db_.commit());
        return id;
    }

    QTemporaryDir dir_;
    QSqlDatabase db_;
};

TEST_F(RunTablesSqlite, MadeWithExactlyTheDocumentedColumnsAndIndexes) {
    QString error;
    ASSERT_TRUE(ensureRunTables(db_, &error)) << error.toStdString();
    ASSERT_TRUE(ensureRunTables(db_, &error)) << error.toStdString(); // present: nothing to do

    EXPECT_EQ(column(QStringLiteral("SELECT name FROM pragma_table_info('xq_run')")),
              QStringList({"id",
                           "station",
                           "operator",
                           "product",
                           "model",
                           "revision",
                           "serial_number",
                           "work_order",
                           "test_id",
                           "start_time",
                           "finish_time",
                           "verdict",
                           "aborted",
                           "untested",
                           "software_version",
                           "library_version",
                           "ate_ini_version",
                           "ate_ini_checksum",
                           "products_ini_version",
                           "products_ini_checksum",
                           "config_approved",
                           "instruments",
                           "record_file"}));
    EXPECT_EQ(column(QStringLiteral("SELECT name FROM pragma_table_info('xq_measurement')")),
              QStringList({"run_id", "line_key", "group_name", "parameter", "min", "max", "unit",
                           "value_text", "number", "verdict", "measured_at"}));
    EXPECT_EQ(column(QStringLiteral("SELECT version || ' ' || min_library_version FROM "
                                    "xq_schema_version")),
              QStringList{"3 1.0.0"});
    EXPECT_EQ(column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                    "name LIKE 'xq%' ORDER BY name")),
              QStringList({"xq_measurement_by_run", "xq_run_by_product_start", "xq_run_by_serial",
                           "xq_run_by_start", "xq_run_once"}));
}

TEST_F(RunTablesSqlite, ARunAndItsLinesReadBackAsRecorded) {
    ASSERT_TRUE(ensureRunTables(db_, nullptr));
    RunRecord record = sampleRunRecord();
    record.serialNumber = QStringLiteral("SN'; DROP TABLE xq_run; --");
    record.ateIni.approved = false;
    record.aborted = true;
    const qint64 id = store(record, QStringLiteral("/results/runs/2026/12/10/x.json"));

    const QSqlRecord run = firstRow(QStringLiteral("SELECT * FROM xq_run"));
    EXPECT_EQ(run.value("id").toLongLong(), id);
    EXPECT_EQ(run.value("station").toString(), "ATE-PSU-01");
    EXPECT_EQ(run.value("operator").toString(), "OP01");
    EXPECT_EQ(run.value("product").toString(), "PSU5V-100");
    EXPECT_EQ(run.value("model").toString(), "PSU5V-100A");
    EXPECT_EQ(run.value("revision").toString(), "C");
    EXPECT_EQ(run.value("serial_number").toString(), record.serialNumber);
    EXPECT_EQ(run.value("work_order").toString(), "WO-4410");
    EXPECT_EQ(run.value("test_id").toString(), "Production");
    EXPECT_EQ(run.value("start_time").toString(), "2026-12-10T15:27:52Z");
    EXPECT_EQ(run.value("finish_time").toString(), "2026-12-10T15:28:53Z");
    EXPECT_EQ(run.value("verdict").toString(), "FAIL");
    EXPECT_EQ(run.value("aborted").toInt(), 1);
    EXPECT_EQ(run.value("untested").toInt(), 71);
    EXPECT_EQ(run.value("software_version").toString(), "Demo 1.0");
    EXPECT_EQ(run.value("library_version").toString(), "1.0.2");
    EXPECT_EQ(run.value("ate_ini_version").toString(), "ATE-2026.12");
    EXPECT_EQ(run.value("ate_ini_checksum").toString(), "9f1c0a77");
    EXPECT_EQ(run.value("products_ini_version").toString(), "PSU-2026.11");
    EXPECT_EQ(run.value("products_ini_checksum").toString(), "51de22b0");
    EXPECT_EQ(run.value("config_approved").toInt(), 0);
    EXPECT_EQ(run.value("instruments").toString(),
              R"([{"idn":"ORVANTA,DM-3065,SN004417,1.04","resource":"GPIB0::22::INSTR"}])");
    EXPECT_EQ(run.value("record_file").toString(), "/results/runs/2026/12/10/x.json");

    EXPECT_EQ(
        column(QStringLiteral("SELECT count(*) FROM xq_measurement WHERE run_id = %1").arg(id)),
        QStringList{"498"});
    // A number, a word, an untested line and a line without limits.
    const QSqlRecord measured =
        firstRow(QStringLiteral("SELECT * FROM xq_measurement WHERE line_key = '5'"));
    EXPECT_EQ(measured.value("group_name").toString(), "Group 1");
    EXPECT_EQ(measured.value("parameter").toString(), "Parameter 5");
    EXPECT_EQ(measured.value("min").toString(), "4.75");
    EXPECT_EQ(measured.value("max").toString(), "5.25");
    EXPECT_EQ(measured.value("unit").toString(), "V");
    EXPECT_EQ(measured.value("value_text").toString(), "5.4");
    EXPECT_DOUBLE_EQ(measured.value("number").toDouble(), 5.4);
    EXPECT_EQ(measured.value("verdict").toString(), "Fail");
    EXPECT_EQ(measured.value("measured_at").toString(), "2026-12-10T15:27:52Z");
    const QSqlRecord word =
        firstRow(QStringLiteral("SELECT * FROM xq_measurement WHERE line_key = '11'"));
    EXPECT_EQ(word.value("value_text").toString(), "PASS");
    EXPECT_TRUE(word.value("number").isNull());
    const QSqlRecord untested = firstRow(QStringLiteral(
        "SELECT *, typeof(value_text) AS t FROM xq_measurement WHERE line_key = '7'"));
    EXPECT_EQ(untested.value("t").toString(), "text");
    EXPECT_EQ(untested.value("value_text").toString(), "");
    EXPECT_EQ(untested.value("verdict").toString(), "");
    EXPECT_TRUE(untested.value("number").isNull());
    EXPECT_TRUE(untested.value("measured_at").isNull());
    const QSqlRecord open =
        firstRow(QStringLiteral("SELECT * FROM xq_measurement WHERE line_key = '3'"));
    EXPECT_EQ(open.value("min").toString(), "");
    EXPECT_EQ(open.value("max").toString(), "");
}

TEST_F(RunTablesSqlite, TheSameRunWrittenTwiceIsStoredOnce) {
    ASSERT_TRUE(ensureRunTables(db_, nullptr));
    const qint64 first = store(sampleRunRecord(20));
    const qint64 again = store(sampleRunRecord(20));
    const qint64 other = store(sampleRunRecord(20, QStringLiteral("SN-2026-0002")));

    EXPECT_EQ(again, first);
    EXPECT_NE(other, first);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_run")), QStringList{"2"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_measurement")), QStringList{"40"});
}

TEST_F(RunTablesSqlite, ARunAbortedBeforeAnyResultHasItsLinesUntested) {
    ASSERT_TRUE(ensureRunTables(db_, nullptr));
    RunRecord record = sampleRunRecord(4);
    for (RunRecordLine& line : record.lines)
        line = RunRecordLine{line.key,     line.fieldName,
                             line.group,   line.parameter,
                             line.min,     line.max,
                             line.unit,    {},
                             std::nullopt, {},
                             {},           {}};
    record.untested = 4;
    record.aborted = true;
    record.verdict = Verdict::Untested;
    record.instruments.clear();
    record.finish = QDateTime();
    store(record);

    const QSqlRecord run = firstRow(QStringLiteral("SELECT * FROM xq_run"));
    EXPECT_EQ(run.value("untested").toInt(), 4);
    EXPECT_EQ(run.value("verdict").toString(), "");
    EXPECT_EQ(run.value("instruments").toString(), "[]");
    EXPECT_TRUE(run.value("finish_time").isNull());
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_measurement WHERE verdict = ''")),
              QStringList{"4"});
}

TEST_F(RunTablesSqlite, TablesForANewerLibraryAreLeftAlone) {
    QSqlQuery query(db_);
    ASSERT_TRUE(query.exec(QStringLiteral(
        "CREATE TABLE xq_schema_version (version INTEGER, min_library_version TEXT)")));
    ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO xq_schema_version VALUES (7, '2.0')")));

    QString error;
    EXPECT_FALSE(ensureRunTables(db_, &error));
    EXPECT_EQ(error, "The run tables are of version 7 and take runs from library 2.0 on; this "
                     "library is 1.0.2: its runs wait in the backup queue until it is upgraded");
    EXPECT_TRUE(
        column(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'xq_run'")).isEmpty());
}

} // namespace
