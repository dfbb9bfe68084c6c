#include "output/database/StationState.h"

#include "config/StationFiles.h"
#include "output/database/PostgresStore.h"
#include "output/database/RowStore.h"
#include "output/database/RunTables.h"
#include "output/database/SqliteStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

namespace XQTestDev {

namespace {

bool failed(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

// As the run tables keep times: UTC text on SQLite (milliseconds where the
// time has any), a timestamp with time zone on PostgreSQL.
QVariant timeValue(const QDateTime& time, bool postgres) {
    if (!time.isValid())
        return postgres ? QVariant(QMetaType::fromType<QDateTime>())
                        : QVariant(QMetaType::fromType<QString>());
    const QDateTime utc = time.toUTC();
    if (postgres)
        return utc;
    return utc.toString(utc.time().msec() ? Qt::ISODateWithMs : Qt::ISODate);
}

constexpr const char* UpsertSql =
    "INSERT INTO xq_station (station, state, product, serial_number, state_since, last_seen) "
    "VALUES (?, ?, ?, ?, ?, ?) "
    "ON CONFLICT (station) DO UPDATE SET state = excluded.state, product = excluded.product, "
    "serial_number = excluded.serial_number, state_since = excluded.state_since, "
    "last_seen = excluded.last_seen";

std::optional<DatabaseAddress>& rememberedDatabase() {
    static std::optional<DatabaseAddress> database;
    return database;
}

DatabaseAddress databaseOfAteIni() {
    const auto value = [](const char* key) {
        return readStationValue(StationFile::Ate, QStringLiteral("Database"), QLatin1String(key))
            .trimmed();
    };
    DatabaseAddress database;
    database.serverName = value("ServerName");
    database.type = database.serverName.isEmpty() ? msAccess : msSQLServer;
    if (database.type == msAccess) {
        database.file = value("DatabaseName");
        return database;
    }
    database.userName = value("UserName");
    database.password = value("Password");
    database.databaseName = value("DatabaseName");
    return database;
}

QSqlDatabase openSqlite(const DatabaseAddress& where, const QString& name, int busyMs,
                        QString* error) {
    const QString& path = where.file;
    // Only the database writer makes the file: a state alone is no reason to.
    if (path.isEmpty() || !QFileInfo(path).isFile() || !isSqliteFile(path)) {
        failed(error, QStringLiteral("%1 is not an SQLite file yet").arg(path));
        return {};
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyMs));
    if (!db.open())
        failed(error, db.lastError().text());
    return db;
}

QSqlDatabase openServer(const DatabaseAddress& where, const QString& name, int connectSeconds,
                        QString* error) {
    const ServerAddress address = parseServerName(where.serverName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setUserName(where.userName);
    db.setPassword(where.password);
    db.setDatabaseName(where.databaseName);
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(connectSeconds));
    if (!db.open())
        failed(error, db.lastError().text());
    return db;
}

// The one place a state write gets its connection: opened for the write and
// closed after it, as WriteDatabase's own connection is.
QSqlDatabase openWith(const DatabaseAddress& where, const QString& name,
                      const DatabaseTimeouts& timeouts, QString* error) {
    return where.type == msAccess ? openSqlite(where, name, timeouts.sqliteBusyMs, error)
                                  : openServer(where, name, timeouts.serverConnectSeconds, error);
}

// Whether the station has a database to keep its state in. A station
// without one, or whose SQLite file the database writer has not made yet,
// has nothing to say: its state is skipped without a note.
bool hasDatabase(const DatabaseAddress& where) {
    if (where.type != msAccess)
        return !where.serverName.isEmpty() && !where.databaseName.isEmpty();
    return !where.file.isEmpty() && QFileInfo(where.file).isFile() && isSqliteFile(where.file);
}

// One state to write and where, with the time-outs in force when it was noted.
struct StateJob {
    DatabaseAddress where;
    StationState state;
    DatabaseTimeouts timeouts;
};

// Said on standard error when a write fails after one that succeeded (or as
// the first): one note per stretch of failures, not one per run.
void sayNotWritten(const QString& reason) {
    std::fprintf(stderr,
                 "XQTestDev: the station's live state is not written while its database cannot "
                 "be used: %s\n",
                 qPrintable(reason));
    std::fflush(stderr);
}

bool writeJob(const StateJob& job, QString* error) {
    const QString name = QStringLiteral("XQStationState");
    bool written = false;
    {
        QSqlDatabase db = openWith(job.where, name, job.timeouts, error);
        if (db.isOpen()) {
            written = writeStationState(db, job.state, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return written;
}

// The one thread that writes states, started with the first one. Its
// connections are its own: a Qt SQL connection lives on one thread.
class StateWriter {
public:
    static StateWriter& instance() {
        static StateWriter writer;
        return writer;
    }

    void post(StateJob job) {
        std::lock_guard lock(mutex_);
        pending_ = std::move(job);
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { run(); });
            // The thread ends with the application object, before the exit
            // handlers run: the database client's TLS library cleans up in
            // one of those, and a thread still talking to a server then
            // would use it after its end (and its per-thread state would
            // never be freed).
            if (QCoreApplication::instance() != nullptr)
                qAddPostRoutine([] { instance().stop(); });
        }
        wake_.notify_one();
    }

    bool waitIdle(int timeoutMs) {
        std::unique_lock lock(mutex_);
        return idle_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return !pending_ && !busy_; });
    }

    StateWriter(const StateWriter&) = delete;
    StateWriter& operator=(const StateWriter&) = delete;

    // At the end of the process the state noted last (a run's end, say) is
    // still written; that waits at most one connect time-out.
    ~StateWriter() { stop(); }

    // Writes what is still pending, then ends the thread; a later state
    // starts it again.
    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        if (thread_.joinable())
            thread_.join();
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }

private:
    // Qt SQL's own process-wide objects are made first, so that they are
    // gone only after this writer's thread has ended.
    StateWriter() { QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")); }

    void run() {
        bool noted = false;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || pending_; });
            if (!pending_)
                return;
            const StateJob job = std::move(*pending_);
            pending_.reset();
            busy_ = true;
            lock.unlock();
            if (hasDatabase(job.where)) {
                QString error;
                const bool written = writeJob(job, &error);
                if (!written && !noted)
                    sayNotWritten(error);
                noted = !written;
            }
            lock.lock();
            busy_ = false;
            idle_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<StateJob> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace

StationState testingState(const RunRecord& started, const QDateTime& now) {
    return {started.station,
            StationActivity::Testing,
            started.product,
            started.serialNumber,
            started.start.isValid() ? started.start : now,
            now};
}

StationState idleState(const RunRecord& finished, const QDateTime& now) {
    return {finished.station,
            StationActivity::Idle,
            QString(),
            QString(),
            finished.finish.isValid() ? finished.finish : now,
            now};
}

void rememberStationDatabase(const DatabaseAddress& database) {
    rememberedDatabase() = database;
}

void forgetStationDatabase() {
    rememberedDatabase().reset();
}

DatabaseAddress stationDatabase() {
    return rememberedDatabase() ? *rememberedDatabase() : databaseOfAteIni();
}

QSqlDatabase openStationDatabase(const DatabaseAddress& database, const QString& name,
                                 QString* error) {
    return openWith(database, name, databaseTimeouts(), error);
}

bool writeStationState(QSqlDatabase& db, const StationState& state, QString* error) {
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    QSqlQuery query(db);
    if (!query.prepare(QLatin1String(UpsertSql)))
        return failed(error, query.lastError().text());
    query.addBindValue(text(state.station));
    query.addBindValue(state.activity == StationActivity::Testing ? QStringLiteral("testing")
                                                                  : QStringLiteral("idle"));
    query.addBindValue(text(state.product));
    query.addBindValue(text(state.serialNumber));
    query.addBindValue(timeValue(state.since, postgres));
    query.addBindValue(timeValue(state.lastSeen, postgres));
    if (!query.exec())
        return failed(error, query.lastError().text());
    return true;
}

void noteStationState(const StationState& state) {
    if (state.station.trimmed().isEmpty() || !runTablesEnabled())
        return;
    DatabaseAddress where = stationDatabase();
    // No thread for a station without a database.
    if ((where.type == msAccess ? where.file : where.databaseName).isEmpty())
        return;
    StateWriter::instance().post({std::move(where), state, databaseTimeouts()});
}

bool waitForStationStates(int timeoutMs) {
    return StateWriter::instance().waitIdle(timeoutMs);
}

} // namespace XQTestDev
