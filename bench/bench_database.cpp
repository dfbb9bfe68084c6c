// WriteDatabase of a 498-line run beside its floor, one prepared INSERT of the
// same row into the same database: into an SQLite file, and into the
// PostgreSQL server named by XQ_PG_HOST, XQ_PG_PORT, XQ_PG_USER, XQ_PG_PASSWORD
// and XQ_PG_DATABASE when one is running. Then the replay of 100 backup
// statements beside 100 bare inserts of the same rows.

#include "BenchMain.h"

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "output/database/BackupFolder.h"
#include "output/database/BackupReplay.h"
#include "output/database/DatabaseRow.h"
#include "output/database/DatabaseRunRow.h"
#include "output/database/DatabaseWrite.h"
#include "output/database/RunInputs.h"
#include "output/database/RunTables.h"
#include "output/database/SqliteStore.h"
#include "output/database/StatementText.h"
#include "run/RunSession.h"

#include <XQTestDev/Messages.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace XQTestDev;

namespace {

constexpr int TestLines = 498;
const QString PgTable = QStringLiteral("bench_psu");

struct Station {
    QTemporaryDir dir;
    QString folder;
    QString dbPath;
    DatabaseRow row;
    int messages = 0;

    Station() {
        folder = dir.path() + QLatin1Char('/');
        dbPath = folder + QStringLiteral("station.db");
        write(QStringLiteral("ATE.INI"),
              "[ATE Configuration]\r\nID=ATE-07\r\n[History]\r\nVersion=A-1\r\n[Database]\r\n"
              "DatabaseName=" +
                  dbPath.toUtf8() + "\r\nServerName=" + qgetenv("XQ_PG_HOST") + ':' +
                  qgetenv("XQ_PG_PORT") + "\r\nUserName=" + qgetenv("XQ_PG_USER") +
                  "\r\nPassword=" + qgetenv("XQ_PG_PASSWORD") + "\r\n");
        QByteArray spec =
            "[PSU]\r\nTableName=" + PgTable.toUtf8() +
            "\r\nLocalPN=LP-100\r\nCustomerPN=CP-200\r\nVersion=P-1\r\n[PSU Spec]\r\n";
        QByteArray results = "[ATE Configuration]\r\nTestSoftwareVersion=SW-1\r\n"
                             "[PSU Test Results]\r\nStartTestTime=03/07/2024 02:05:09 pm\r\n"
                             "EndTestTime=03/07/2024 02:17:45 pm\r\nOperatorID=OP01\r\n"
                             "SerialNumber=SN0001\r\nTestID=Production\r\nOverallPassFail=PASS\r\n";
        for (int line = 1; line <= TestLines; ++line) {
            const QByteArray number = QByteArray::number(line);
            spec += number + "=F" + number + ",4.75,5.25,5.00,V,Group" +
                    QByteArray::number(line / 10) + ",Parameter " + number + ",\r\n";
            results += number + (line % 7 ? "=5.012|Pass\r\n" : "=----|----\r\n");
        }
        spec += "499=<EOT>\r\n";
        write(QStringLiteral("PRODUCTS.INI"), spec);
        write(QStringLiteral("XQResults.ini"), results);

        ensureLibraryStarted();
        library().iniDirectory = folder;
        library().resultsDirectory = folder;
        runModel().run.product = QStringLiteral("PSU");
        setMessageHandler([this](const MessageRequest&) {
            ++messages;
            return int(ResultOK);
        });
        row = buildRunRow(readRunInputs(storedRunRecord(QStringLiteral("PSU")),
                                        QStringLiteral("SW-1"), dbPath))
                  .row;
        writeDatabase(QString(), QString(), msAccess, QString()); // the file and its table
    }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(folder + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

Station& station() {
    static Station instance;
    return instance;
}

bool serverGiven() {
    return !qEnvironmentVariableIsEmpty("XQ_PG_PORT");
}

QSqlDatabase openSqlite(const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(station().dbPath);
    db.open();
    return db;
}

QSqlDatabase openServer(const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(qEnvironmentVariable("XQ_PG_HOST"));
    db.setPort(qEnvironmentVariable("XQ_PG_PORT").toInt());
    db.setUserName(qEnvironmentVariable("XQ_PG_USER"));
    db.setPassword(qEnvironmentVariable("XQ_PG_PASSWORD"));
    db.setDatabaseName(qEnvironmentVariable("XQ_PG_DATABASE"));
    db.open();
    return db;
}

// The floor: one prepared INSERT of the row with bound values, on a
// connection that is already open.
class BareInsert {
public:
    explicit BareInsert(const QSqlDatabase& db) : query_(db) {
        QStringList columns;
        for (const QString& column : station().row.columns)
            columns << QLatin1Char('"') + column + QLatin1Char('"');
        query_.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(PgTable, columns.join(u','),
                                QStringList(columns.size(), QStringLiteral("?")).join(u',')));
        for (qsizetype i = 0; i < columns.size(); ++i)
            values_ << boundValue(station().row.columns[i], station().row.values[i]);
    }
    bool run() {
        for (qsizetype i = 0; i < values_.size(); ++i)
            query_.bindValue(int(i), values_[i]);
        return query_.exec();
    }

private:
    QSqlQuery query_;
    QVariantList values_;
};

void BM_WriteDatabase_Sqlite(benchmark::State& state) {
    station();
    for (auto _ : state)
        writeDatabase(QString(), QString(), msAccess, QString());
    state.counters["messages"] = station().messages;
}
BENCHMARK(BM_WriteDatabase_Sqlite)->Unit(benchmark::kMillisecond);

void BM_Insert_Sqlite_Floor(benchmark::State& state) {
    {
        BareInsert insert(openSqlite(QStringLiteral("floor")));
        for (auto _ : state)
            benchmark::DoNotOptimize(insert.run());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
}
BENCHMARK(BM_Insert_Sqlite_Floor)->Unit(benchmark::kMillisecond);

// The server's table for the 498-line product, made afresh for the run.
void createServerTable() {
    {
        QSqlDatabase db = openServer(QStringLiteral("setup"));
        QStringList columns = {QStringLiteral("\"ID\" serial PRIMARY KEY")};
        for (const QString& column : station().row.columns) {
            const ColumnKind kind = columnKind(column);
            columns << QLatin1Char('"') + column + QLatin1Char('"') +
                           (kind == ColumnKind::Test   ? QStringLiteral(" double precision")
                            : kind == ColumnKind::Time ? QStringLiteral(" timestamp")
                                                       : QStringLiteral(" varchar(40)"));
        }
        QSqlQuery query(db);
        query.exec(QStringLiteral("DROP TABLE IF EXISTS ") + PgTable);
        if (!query.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(PgTable, columns.join(u','))))
            std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

void BM_WriteDatabase_Server(benchmark::State& state) {
    if (!serverGiven()) {
        state.SkipWithError("no PostgreSQL server named by XQ_PG_PORT");
        return;
    }
    createServerTable();
    for (auto _ : state)
        writeDatabase(QString(), QString(), msSQLServer, qEnvironmentVariable("XQ_PG_DATABASE"));
    state.counters["messages"] = station().messages;
}
BENCHMARK(BM_WriteDatabase_Server)->Unit(benchmark::kMillisecond);

void BM_Insert_Server_Floor(benchmark::State& state) {
    if (!serverGiven()) {
        state.SkipWithError("no PostgreSQL server named by XQ_PG_PORT");
        return;
    }
    {
        BareInsert insert(openServer(QStringLiteral("floor")));
        for (auto _ : state)
            benchmark::DoNotOptimize(insert.run());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
}
BENCHMARK(BM_Insert_Server_Floor)->Unit(benchmark::kMillisecond);

// A write makes its own connection, so a second floor: connect, insert, close.
void BM_ConnectInsert_Server_Floor(benchmark::State& state) {
    if (!serverGiven()) {
        state.SkipWithError("no PostgreSQL server named by XQ_PG_PORT");
        return;
    }
    for (auto _ : state) {
        {
            BareInsert insert(openServer(QStringLiteral("floor")));
            benchmark::DoNotOptimize(insert.run());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("floor"));
    }
}
BENCHMARK(BM_ConnectInsert_Server_Floor)->Unit(benchmark::kMillisecond);

constexpr int Backups = 100;

void BM_Replay100Backups_Sqlite(benchmark::State& state) {
    station();
    DatabaseRow row = station().row;
    row.table = PgTable;
    const QByteArray statement = statementText(row).toUtf8() + "\r\n";
    const QString folder = backupFolderPath(QStringLiteral("PSU"));
    SqliteStore store;
    store.open(station().dbPath, row);
    for (auto _ : state) {
        state.PauseTiming();
        QDir().mkpath(folder);
        for (int i = 0; i < Backups; ++i) {
            QFile file(folder + QStringLiteral("%1.SQL").arg(i, 8, 10, QLatin1Char('0')));
            if (file.open(QIODevice::WriteOnly))
                file.write(statement);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(replayBackups(store, QStringLiteral("PSU"), PgTable));
    }
}
BENCHMARK(BM_Replay100Backups_Sqlite)->Unit(benchmark::kMillisecond);

void BM_Insert100_Sqlite_Floor(benchmark::State& state) {
    {
        BareInsert insert(openSqlite(QStringLiteral("floor")));
        for (auto _ : state) {
            for (int i = 0; i < Backups; ++i)
                benchmark::DoNotOptimize(insert.run());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
}
BENCHMARK(BM_Insert100_Sqlite_Floor)->Unit(benchmark::kMillisecond);

// Each write stores a new run: the results file's start time moves on by a
// second outside the timing, so that the run tables store every run rather
// than finding it stored.
void nextRunStart() {
    static QDateTime start(QDate(2024, 3, 7), QTime(14, 5, 9));
    start = start.addSecs(1);
    writeStationValue(StationFile::Results, QStringLiteral("PSU Test Results"),
                      QStringLiteral("StartTestTime"),
                      QLocale::c().toString(start, QStringLiteral("MM/dd/yyyy hh:mm:ss ap")));
}

void writeNewRuns(benchmark::State& state, bool runTables) {
    station();
    runTablesEnabled() = runTables;
    for (auto _ : state) {
        state.PauseTiming();
        nextRunStart();
        state.ResumeTiming();
        writeDatabase(QString(), QString(), msAccess, QString());
    }
    runTablesEnabled() = true;
    state.counters["messages"] = station().messages;
}

// The product's row and the run in the run tables (498 lines), one commit.
void BM_WriteDatabase_Sqlite_RunTables(benchmark::State& state) {
    writeNewRuns(state, true);
}
BENCHMARK(BM_WriteDatabase_Sqlite_RunTables)->Unit(benchmark::kMillisecond);

// The same write of the product's row alone.
void BM_WriteDatabase_Sqlite_RowOnly(benchmark::State& state) {
    writeNewRuns(state, false);
}
BENCHMARK(BM_WriteDatabase_Sqlite_RowOnly)->Unit(benchmark::kMillisecond);

// A write reads the station's three files, checks the table, stores the row
// and looks for backups; against an SQLite file the commit dominates. A write
// to the server makes its own connection (password exchange, session set-up),
// which alone costs several bare inserts: its fair floor is the second one.
const bool ratiosDeclared = [] {
    expectRatio("BM_WriteDatabase_Sqlite", "BM_Insert_Sqlite_Floor", 2.0);
    expectRatio("BM_WriteDatabase_Server", "BM_Insert_Server_Floor", 2.0);
    expectRatio("BM_WriteDatabase_Server", "BM_ConnectInsert_Server_Floor", 1.2);
    expectRatio("BM_Replay100Backups_Sqlite", "BM_Insert100_Sqlite_Floor", 2.0);
    expectRatio("BM_WriteDatabase_Sqlite_RunTables", "BM_WriteDatabase_Sqlite_RowOnly", 1.5);
    return true;
}();

} // namespace
