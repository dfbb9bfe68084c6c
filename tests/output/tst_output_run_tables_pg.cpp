// The library's own run tables on the real PostgreSQL server that the test
// command starts (scripts/pg-test-cluster.sh): each test in a schema of its
// own, so that tests running side by side never see each other's runs.

#include "output/RunRecordFixture.h"
#include "output/database/RunTables.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

QSqlDatabase connectTo(const QString& name, const QString& schema) {
    QSqlDatabase db = openTestServer(name);
    if (db.isOpen())
        QSqlQuery(db).exec(
            QStringLiteral("SET client_min_messages = warning; SET search_path TO %1").arg(schema));
    return db;
}

class RunTablesServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet("XQ_PG_CLUSTER_NOT_RUNNING"))
            FAIL() << "The test cluster did not start";
        if (qEnvironmentVariableIsEmpty("XQ_PG_PORT"))
            GTEST_SKIP() << "No PostgreSQL server: run through ctest";
        schema_ = nameOwnedByRunningTest(QStringLiteral("s_"));
        db_ = connectTo(QStringLiteral("runs"), QStringLiteral("public"));
        ASSERT_TRUE(db_.isOpen()) << db_.lastError().text().toStdString();
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
    qint64 store(const RunRecord& record) {
        QString error;
        EXPECT_TRUE(db_.transaction());
        const qint64 id = insertRunRecord(db_, record, QStringLiteral("runs/a.json"), &error);
        EXPECT_GT(id, 0) << error.toStdString();
        EXPECT_TRUE(db_.commit());
        return id;
    }
    // Every column of the three tables with its type, as the catalogue has them.
    QStringList shape(const QString& schema) {
        return column(QStringLiteral("SELECT table_name || '.' || column_name || ' ' || data_type "
                                     "|| ' ' || is_nullable || ' ' || coalesce(column_default, '') "
                                     "FROM information_schema.columns WHERE table_schema = '%1' "
                                     "ORDER BY table_name, ordinal_position")
                          .arg(schema)) +
               column(QStringLiteral("SELECT indexdef FROM pg_indexes WHERE schemaname = '%1' "
                                     "ORDER BY indexname")
                          .arg(schema)
                          .replace(schema + QLatin1Char('.'), QString()));
    }

    QString schema_;
    QSqlDatabase db_;
};

TEST_F(RunTablesServer, TheShippedSqlFileMakesTheTablesTheLibraryMakes) {
    QString error;
    ASSERT_TRUE(ensureRunTables(db_, &error)) << error.toStdString();
    const QStringList made = shape(schema_);
    ASSERT_EQ(made.size(), 23 + 11 + 2 + 6 + 6 + 1); // columns and indexes (with the primary keys)

    const QString other = schema_ + QStringLiteral("_file");
    exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(other));
    exec(QStringLiteral("CREATE SCHEMA %1").arg(other));
    exec(QStringLiteral("SET search_path TO %1").arg(other));
    QFile file(QStringLiteral(XQ_SOURCE_DIR "/examples/station/xq_run_tables.sql"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString script = QString::fromUtf8(file.readAll());
    script.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    for (const QString& statement : script.split(u';', Qt::SkipEmptyParts)) {
        if (!statement.trimmed().isEmpty())
            exec(statement);
    }
    QStringList fromFile = shape(other);
    fromFile.replaceInStrings(other, schema_);
    exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(other));
    EXPECT_EQ(fromFile, made);
}

TEST_F(RunTablesServer, ARunReadsBackWithTheServersOwnTypes) {
    ASSERT_TRUE(ensureRunTables(db_, nullptr));
    RunRecord record = sampleRunRecord();
    record.aborted = true;
    const qint64 id = store(record);

    QSqlQuery query(db_);
    ASSERT_TRUE(query.exec(QStringLiteral(
        "SELECT start_time = '2026-12-10 16:27:52+01' AS start_ok, finish_time - start_time AS "
        "took, aborted, config_approved, untested, instruments, pg_typeof(start_time) AS type "
        "FROM xq_run")));
    ASSERT_TRUE(query.next());
    EXPECT_TRUE(query.value("start_ok").toBool());
    EXPECT_EQ(query.value("took").toString(), "00:01:01");
    EXPECT_TRUE(query.value("aborted").toBool());
    EXPECT_TRUE(query.value("config_approved").toBool());
    EXPECT_EQ(query.value("untested").toInt(), 71);
    EXPECT_EQ(query.value("type").toString(), "timestamp with time zone");
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_measurement WHERE run_id = %1 AND "
                                    "number IS NULL")
                         .arg(id)),
              QStringList{QString::number(71 + 39)}); // untested lines and words
    EXPECT_EQ(column(QStringLiteral("SELECT number FROM xq_measurement WHERE line_key = '5'")),
              QStringList{"5.4"});
}

TEST_F(RunTablesServer, TheSameRunWrittenTwiceIsStoredOnce) {
    ASSERT_TRUE(ensureRunTables(db_, nullptr));
    const qint64 first = store(sampleRunRecord(30));
    EXPECT_EQ(store(sampleRunRecord(30)), first);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_run")), QStringList{"1"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_measurement")), QStringList{"30"});
}

// Two stations that meet missing tables at the same moment: one makes them,
// the other waits and finds them.
TEST_F(RunTablesServer, TwoStationsMakingTheTablesAtOnceBothSucceed) {
    QSqlDatabase second = connectTo(QStringLiteral("second"), schema_);
    ASSERT_TRUE(second.isOpen());
    QSqlQuery hold(second);
    ASSERT_TRUE(second.transaction());
    ASSERT_TRUE(
        hold.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(0x5851'5255'4e31)));
    // The second station holds the lock as if it were making the tables; the
    // first waits for it, and finds them made when it gets it.
    for (const QString& statement : runTableStatements(second))
        ASSERT_TRUE(hold.exec(statement)) << hold.lastError().text().toStdString();
    QString error;
    bool made = false;
    std::thread first([&] {
        QSqlDatabase own = connectTo(QStringLiteral("first"), schema_);
        made = ensureRunTables(own, &error);
        own.close();
    });
    // Waits until the first station waits for the lock.
    for (int tries = 0; tries < 500; ++tries) {
        if (column(QStringLiteral("SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND "
                                  "NOT granted")) == QStringList{"1"})
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(second.commit());
    first.join();
    EXPECT_TRUE(made) << error.toStdString();
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM xq_schema_version")), QStringList{"1"});
}

} // namespace
