// The run tables moving forward on the real PostgreSQL server the test
// command starts: a database made by the previous version, with runs in it,
// upgraded by a station without a loss, and a station writing on to newer
// compatible tables. Each test in a schema of its own.

#include "output/RunRecordFixture.h"
#include "output/database/RunTables.h"
#include "output/database/SchemaMigrations.h"
#include "output/database/StationState.h"
#include "support/TestDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class SchemaServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet("XQ_PG_CLUSTER_NOT_RUNNING"))
            FAIL() << "The test cluster did not start";
        if (qEnvironmentVariableIsEmpty("XQ_PG_PORT"))
            GTEST_SKIP() << "No PostgreSQL server: run through ctest";
        schema_ = nameOwnedByRunningTest(QStringLiteral("m_"));
        db_ = openTestServer(QStringLiteral("runs"));
        ASSERT_TRUE(db_.isOpen()) << db_.lastError().text().toStdString();
        exec(QStringLiteral("SET client_min_messages = warning"));
        exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema_));
        exec(QStringLiteral("CREATE SCHEMA %1").arg(schema_));
        exec(QStringLiteral("SET search_path TO %1").arg(schema_));
    }
    void TearDown() override {
        if (db_.isOpen())
            exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema_));
        db_ = QSqlDatabase();
        for (const QString& name : QSqlDatabase::connectionNames())
            QSqlDatabase::removeDatabase(name);
    }
    void exec(const QString& sql) {
        QSqlQuery query(db_);
        ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    }
    QStringList column(const QString& sql) { return queryColumn(db_, sql); }
    void store(const QString& serial) {
        QString error;
        ASSERT_TRUE(db_.transaction());
        EXPECT_GT(insertRunRecord(db_, sampleRunRecord(40, serial), QStringLiteral("runs/a.json"),
                                  &error),
                  0)
            << error.toStdString();
        ASSERT_TRUE(db_.commit());
    }
    // Every row of both run tables, with the server's own types, as text.
    QStringList everyRow() {
        return column(QStringLiteral("SELECT r::text FROM xq_run r ORDER BY id")) +
               column(QStringLiteral("SELECT m::text FROM xq_measurement m ORDER BY run_id, "
                                     "line_key"));
    }

    QString schema_;
    QSqlDatabase db_;
};

// From the first version and from the one before this library's, with runs
// in the tables: every run kept, and the stations' live state taken from
// then on.
TEST_F(SchemaServer, TheStationUpgradesAPreviousVersionDatabaseWithNothingLost) {
    for (const int version : {1, latestRunTablesVersion() - 1}) {
        SCOPED_TRACE(version);
        exec(QStringLiteral("DROP TABLE IF EXISTS xq_measurement, xq_run, xq_schema_version, "
                            "xq_station"));
        QString error;
        ASSERT_TRUE(migrateRunTables(db_, &error, version)) << error.toStdString();
        for (const char* serial : {"SN-1", "SN-2", "SN-3"})
            store(QLatin1String(serial));
        const QStringList before = everyRow();
        ASSERT_EQ(before.size(), 3 + 3 * 40);

        ASSERT_TRUE(ensureRunTables(db_, &error)) << error.toStdString();
        EXPECT_EQ(column(QStringLiteral("SELECT version || ' ' || min_library_version FROM "
                                        "xq_schema_version")),
                  QStringList{QStringLiteral("%1 1.0.0").arg(latestRunTablesVersion())});
        EXPECT_EQ(everyRow(), before);
        store(QStringLiteral("SN-4"));
        EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_run")), QStringList{"4"});
        const QDateTime seen(QDate(2026, 12, 11), QTime(9, 30), QTimeZone::utc());
        for (const StationActivity activity : {StationActivity::Testing, StationActivity::Idle})
            EXPECT_TRUE(
                writeStationState(db_,
                                  {QStringLiteral("ATE-07"), activity, QStringLiteral("PSU"),
                                   QStringLiteral("SN-5"), seen, seen.addSecs(60)},
                                  &error))
                << error.toStdString();
        EXPECT_EQ(column(QStringLiteral("SELECT station || ' ' || state || ' ' || serial_number "
                                        "|| ' ' || (last_seen - state_since) FROM xq_station")),
                  QStringList{"ATE-07 idle SN-5 00:01:00"});
    }
}

TEST_F(SchemaServer, AStationWritesOnToNewerTablesThatStillTakeItsRuns) {
    std::vector<SchemaMigration> migrations = runTableMigrations();
    const int next = latestRunTablesVersion() + 1;
    const QString later =
        QStringLiteral("ALTER TABLE xq_run ADD COLUMN fixture TEXT NOT NULL DEFAULT 'none';\n"
                       "UPDATE xq_schema_version SET version = %1, min_library_version = "
                       "'1.0.0';\n")
            .arg(next);
    migrations.push_back({next, later, later});
    QString error;
    ASSERT_TRUE(migrateRunTables(db_, &error, -1, migrations)) << error.toStdString();

    ASSERT_TRUE(ensureRunTables(db_, &error)) << error.toStdString();
    store(QStringLiteral("SN-1"));
    EXPECT_EQ(column(QStringLiteral("SELECT fixture FROM xq_run")), QStringList{"none"});
    EXPECT_EQ(column(QStringLiteral("SELECT version FROM xq_schema_version")),
              QStringList{QString::number(next)});
}

} // namespace
