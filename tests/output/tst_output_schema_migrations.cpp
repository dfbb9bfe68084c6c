// The run tables moving forward on a real SQLite file: a database made by
// the previous version, with runs in it, upgraded without a loss by the
// station and by xq-db's migrate; a failing migration leaving nothing
// behind; a station writing on to newer compatible tables; and one too old
// for them keeping its runs in the backup queue until it may write again.

#include "output/DatabaseFixture.h"
#include "output/RunRecordFixture.h"
#include "output/database/RunTables.h"
#include "output/database/SchemaMigrations.h"
#include "output/database/StationState.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

// A later schema as a future library might bring: one column added, for
// writers from `bound` on.
std::vector<SchemaMigration> withLaterVersion(const QString& bound) {
    std::vector<SchemaMigration> migrations = runTableMigrations();
    const QString sql =
        QStringLiteral("ALTER TABLE xq_run ADD COLUMN fixture TEXT NOT NULL DEFAULT '';\n"
                       "UPDATE xq_schema_version SET version = %1, min_library_version = "
                       "'%2';\n")
            .arg(latestRunTablesVersion() + 1)
            .arg(bound);
    migrations.push_back({latestRunTablesVersion() + 1, sql, sql});
    return migrations;
}

// Every row of both run tables, column by column, as text.
QStringList everyRow(const QSqlDatabase& db) {
    QStringList rows;
    for (const char* table : {"xq_run ORDER BY id", "xq_measurement ORDER BY run_id, line_key"}) {
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table))));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < 11; ++i) // the columns both tables had from version 1
                values << query.value(i).toString();
            rows << values.join(u'|');
        }
    }
    return rows;
}

class SchemaSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("runs"));
        db_.setDatabaseName(path());
        ASSERT_TRUE(db_.open());
    }
    void TearDown() override {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("runs"));
    }
    QString path() const { return dir_.filePath(QStringLiteral("station.db")); }

    // A database as the station of an earlier version left it: its tables and
    // runs (version 1 by default).
    void makePreviousVersionWithRuns(int version = 1) {
        for (const char* table : {"xq_measurement", "xq_run", "xq_schema_version", "xq_station"})
            QSqlQuery(db_).exec(
                QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table)));
        QString error;
        ASSERT_TRUE(migrateRunTables(db_, &error, version)) << error.toStdString();
        ASSERT_TRUE(db_.transaction());
        for (const char* serial : {"SN-1", "SN-2", "SN-3"})
            ASSERT_GT(insertRunRecord(db_, sampleRunRecord(40, QLatin1String(serial)),
                                      QStringLiteral("runs/a.json"), &error),
                      0)
                << error.toStdString();
        ASSERT_TRUE(db_.commit());
        RunTablesState state;
        ASSERT_TRUE(readRunTablesState(db_, state, nullptr));
        ASSERT_EQ(state.version, version);
        ASSERT_EQ(state.minLibraryVersion.isEmpty(), version < 2);
    }
    RunTablesState state() {
        RunTablesState read;
        EXPECT_TRUE(readRunTablesState(db_, read, nullptr));
        return read;
    }

    QTemporaryDir dir_;
    QSqlDatabase db_;
};

// From the first version and from the one before this library's, with runs
// in the tables: every run kept, and the stations' live state (version 3)
// taken from then on.
TEST_F(SchemaSqlite, TheStationUpgradesAPreviousVersionDatabaseWithNothingLost) {
    for (const int version : {1, latestRunTablesVersion() - 1}) {
        SCOPED_TRACE(version);
        makePreviousVersionWithRuns(version);
        const QStringList before = everyRow(db_);
        ASSERT_EQ(before.size(), 3 + 3 * 40);

        QString error;
        ASSERT_TRUE(ensureRunTables(db_, &error)) << error.toStdString();
        EXPECT_EQ(state().version, latestRunTablesVersion());
        EXPECT_EQ(state().minLibraryVersion, "1.0.0");
        EXPECT_EQ(everyRow(db_), before);
        EXPECT_EQ(queryColumn(db_, QStringLiteral("SELECT count(*) FROM xq_schema_version")),
                  QStringList{"1"});
        ASSERT_TRUE(db_.transaction());
        EXPECT_GT(
            insertRunRecord(db_, sampleRunRecord(40, QStringLiteral("SN-4")), QString(), &error),
            0);
        ASSERT_TRUE(db_.commit());
        const QDateTime seen(QDate(2026, 12, 11), QTime(9, 30), QTimeZone::utc());
        EXPECT_TRUE(writeStationState(db_,
                                      {QStringLiteral("ATE-07"), StationActivity::Testing,
                                       QStringLiteral("PSU"), QStringLiteral("SN-5"), seen, seen},
                                      &error))
            << error.toStdString();
        EXPECT_EQ(queryColumn(db_, QStringLiteral("SELECT station || ' ' || state || ' ' || "
                                                  "serial_number || ' ' || last_seen FROM "
                                                  "xq_station")),
                  QStringList{"ATE-07 testing SN-5 2026-12-11T09:30:00Z"});
    }
}

TEST_F(SchemaSqlite, TheToolUpgradesAPreviousVersionDatabaseWithNothingLost) {
    makePreviousVersionWithRuns();
    const QStringList before = everyRow(db_);

    QProcess tool;
    const QStringList arguments = {QStringLiteral("--database"),
                                   QStringLiteral("sqlite:") + path()};
    tool.start(QStringLiteral(XQ_DB_TOOL), QStringList{QStringLiteral("migrate")} + arguments);
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(tool.readAllStandardOutput().trimmed(),
              QStringLiteral("run tables of version 1 moved to run tables of version %1, written "
                             "by libraries from 1.0.0 on")
                  .arg(latestRunTablesVersion())
                  .toUtf8());
    EXPECT_EQ(state().version, latestRunTablesVersion());
    EXPECT_EQ(everyRow(db_), before);
    EXPECT_EQ(queryColumn(db_, QStringLiteral("SELECT count(*) FROM xq_station")),
              QStringList{"0"});

    tool.start(QStringLiteral(XQ_DB_TOOL), QStringList{QStringLiteral("migrate")} + arguments);
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.readAllStandardOutput().trimmed(),
              QStringLiteral("run tables of version %1, written by libraries from 1.0.0 on: "
                             "nothing to do")
                  .arg(latestRunTablesVersion())
                  .toUtf8());
}

TEST_F(SchemaSqlite, AMigrationThatFailsHalfWayLeavesNothingOfItself) {
    makePreviousVersionWithRuns();
    std::vector<SchemaMigration> migrations = runTableMigrations();
    const QString broken = QStringLiteral("ALTER TABLE xq_run ADD COLUMN fixture TEXT;\n"
                                          "ALTER TABLE xq_nowhere ADD COLUMN other TEXT;\n");
    migrations.push_back({latestRunTablesVersion() + 1, broken, broken});

    QString error;
    EXPECT_FALSE(migrateRunTables(db_, &error, -1, migrations));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Migration %1 of the run tables failed: no such "
                                                "table")
                                     .arg(latestRunTablesVersion() + 1)))
        << error.toStdString();
    EXPECT_EQ(state().version, 1); // nor are migrations 2 on kept: one transaction
    EXPECT_TRUE(
        queryColumn(db_, QStringLiteral("SELECT name FROM pragma_table_info('xq_run') WHERE "
                                        "name = 'fixture'"))
            .isEmpty());
}

// Stations of this library meeting tables of a later version: they write on
// while the later version still takes their runs, and stop when it does not.
TEST_F(SchemaSqlite, AStationWritesOnToNewerTablesThatStillTakeItsRuns) {
    struct Case {
        const char* bound;
        bool writes;
    };
    for (const Case& c :
         {Case{"1.0.0", true}, Case{"1.0.2", true}, Case{"1.1", false}, Case{"2.0.0", false}}) {
        SCOPED_TRACE(c.bound);
        QSqlQuery(db_).exec(QStringLiteral("DROP TABLE IF EXISTS xq_measurement"));
        QSqlQuery(db_).exec(QStringLiteral("DROP TABLE IF EXISTS xq_run"));
        QSqlQuery(db_).exec(QStringLiteral("DROP TABLE IF EXISTS xq_schema_version"));
        QSqlQuery(db_).exec(QStringLiteral("DROP TABLE IF EXISTS xq_station"));
        QString error;
        ASSERT_TRUE(migrateRunTables(db_, &error, -1, withLaterVersion(QLatin1String(c.bound))))
            << error.toStdString();

        EXPECT_EQ(ensureRunTables(db_, &error), c.writes);
        EXPECT_EQ(state().version, latestRunTablesVersion() + 1); // never moved back
        if (!c.writes) {
            EXPECT_EQ(error, QStringLiteral("The run tables are of version %1 and take runs from "
                                            "library %2 on; this library is 1.0.2: its runs wait "
                                            "in the backup queue until it is upgraded")
                                 .arg(latestRunTablesVersion() + 1)
                                 .arg(QLatin1String(c.bound)));
            continue;
        }
        ASSERT_TRUE(db_.transaction());
        EXPECT_GT(insertRunRecord(db_, sampleRunRecord(5), QString(), &error), 0)
            << error.toStdString();
        ASSERT_TRUE(db_.commit());
        EXPECT_EQ(queryColumn(db_, QStringLiteral("SELECT fixture || '.' || count(*) FROM xq_run "
                                                  "GROUP BY fixture")),
                  QStringList{".1"});
    }
}

// Through WriteDatabase: the too-old station's rows wait in the backup queue
// and are stored once it may write again.
class TooOldStation : public DatabaseTest {};

TEST_F(TooOldStation, KeepsItsRunsQueuedAndStoresThemOnceItMayWriteAgain) {
    writeSampleStation();
    {
        QSqlDatabase db = sqlite(dbPath());
        QString error;
        ASSERT_TRUE(migrateRunTables(db, &error, -1, withLaterVersion(QStringLiteral("9.0"))))
            << error.toStdString();
    }
    write();
    writeRun("SN0002");
    write();
    // The product rows stand on their own; only the runs wait.
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), "PASS");
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(runBackupFiles().size(), 2);
    EXPECT_TRUE(sqliteRows(QStringLiteral("SELECT id FROM xq_run")).empty());
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T")).size(), 2u);

    // The station's library upgraded past the bound, seen from the check's
    // side: the bound drops to the library's version.
    QSqlQuery(sqlite(dbPath()))
        .exec(QStringLiteral("UPDATE xq_schema_version SET min_library_version = '1.0.2'"));
    writeRun("SN0003");
    write();
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), "PASS");
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(runBackupFiles().isEmpty());
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT serial_number FROM xq_run")).size(), 3u);
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T")).size(), 3u);
}

} // namespace
