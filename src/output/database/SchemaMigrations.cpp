#include "output/database/SchemaMigrations.h"

#include "frame/LibraryState.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVersionNumber>

#include <algorithm>
#include <cstdio>
#include <map>

namespace XQTestDev {

namespace {

// The version whose columns this library's inserts fill: below it a station
// cannot write even when it may not migrate.
constexpr int WrittenFromVersion = 1;

// Several stations may meet missing or old tables at once; one migrates.
// The key is the one the first library took to make the tables, so that a
// station of it and one of this library never make them side by side.
constexpr qint64 MigrationLockKey = 0x5851'5255'4e31; // "XQRUN1"

bool isPostgres(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL");
}

bool failed(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

bool run(QSqlQuery& query, const QString& statement, QString* error) {
    if (query.exec(statement))
        return true;
    return failed(error, query.lastError().text());
}

// How many rows `sql` counts; -1 on a failure.
int count(QSqlDatabase& db, const QString& sql, QString* error) {
    QSqlQuery query(db);
    if (!run(query, sql, error) || !query.next())
        return -1;
    return query.value(0).toInt();
}

int versionTableExists(QSqlDatabase& db, QString* error) {
    return count(db,
                 isPostgres(db)
                     ? QStringLiteral("SELECT count(*) FROM pg_catalog.pg_class c WHERE c.relname "
                                      "= 'xq_schema_version' AND "
                                      "pg_catalog.pg_table_is_visible(c.oid)")
                     : QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                      "AND name = 'xq_schema_version'"),
                 error);
}

int boundColumnExists(QSqlDatabase& db, QString* error) {
    return count(db,
                 isPostgres(db)
                     ? QStringLiteral("SELECT count(*) FROM pg_catalog.pg_attribute a JOIN "
                                      "pg_catalog.pg_class c ON a.attrelid = c.oid WHERE "
                                      "c.relname = 'xq_schema_version' AND a.attname = "
                                      "'min_library_version' AND NOT a.attisdropped AND "
                                      "pg_catalog.pg_table_is_visible(c.oid)")
                     : QStringLiteral("SELECT count(*) FROM pragma_table_info('xq_schema_version') "
                                      "WHERE name = 'min_library_version'"),
                 error);
}

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// migrations/NNNN-what.sqlite.sql and NNNN-what.postgresql.sql, paired by number.
std::vector<SchemaMigration> loadMigrations() {
    const QString folder = QStringLiteral(":/xqtestdev/migrations");
    static const QRegularExpression name(
        QStringLiteral(R"(^(\d+)-[a-z0-9-]+\.(sqlite|postgresql)\.sql$)"));
    std::map<int, SchemaMigration> byVersion;
    for (const QString& file : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = name.match(file);
        if (!match.hasMatch())
            continue;
        SchemaMigration& migration = byVersion[match.captured(1).toInt()];
        migration.version = match.captured(1).toInt();
        const QString sql = readResource(folder + QLatin1Char('/') + file);
        (match.captured(2) == QLatin1String("sqlite") ? migration.sqlite : migration.postgres) =
            sql;
    }
    std::vector<SchemaMigration> migrations;
    for (auto& [version, migration] : byVersion)
        migrations.push_back(std::move(migration));
    return migrations;
}

bool applyMigration(QSqlDatabase& db, const SchemaMigration& migration, QString* error) {
    QSqlQuery query(db);
    for (const QString& statement :
         splitStatements(isPostgres(db) ? migration.postgres : migration.sqlite)) {
        if (!query.exec(statement))
            return failed(error, QStringLiteral("Migration %1 of the run tables failed: %2")
                                     .arg(migration.version)
                                     .arg(query.lastError().text()));
    }
    RunTablesState state;
    if (!readRunTablesState(db, state, error))
        return false;
    if (state.version != migration.version)
        return failed(error, QStringLiteral("Migration %1 of the run tables did not record its "
                                            "version")
                                 .arg(migration.version));
    return true;
}

bool applyMigrations(QSqlDatabase& db, int target, const std::vector<SchemaMigration>& migrations,
                     QString* error) {
    QSqlQuery query(db);
    if (isPostgres(db) &&
        !run(query, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(MigrationLockKey),
             error))
        return false;
    // Read under the lock: another station may have migrated meanwhile.
    RunTablesState state;
    if (!readRunTablesState(db, state, error))
        return false;
    for (const SchemaMigration& migration : migrations) {
        if (migration.version <= state.version || (target >= 0 && migration.version > target))
            continue;
        if (!applyMigration(db, migration, error))
            return false;
    }
    return true;
}

// Said on standard error once per reason: whoever looks after the server
// needs to know, the station goes on writing.
void sayOnce(const QString& text) {
    static QString said;
    if (text == said)
        return;
    said = text;
    std::fprintf(stderr, "XQTestDev: %s\n", qPrintable(text));
    std::fflush(stderr);
}

} // namespace

QStringList splitStatements(const QString& sql) {
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    QString text = sql;
    text.remove(comment);
    QStringList statements;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts)) {
        const QString statement = part.trimmed();
        if (!statement.isEmpty())
            statements << statement;
    }
    return statements;
}

const std::vector<SchemaMigration>& runTableMigrations() {
    static const std::vector<SchemaMigration> migrations = loadMigrations();
    return migrations;
}

int latestRunTablesVersion() {
    const auto& migrations = runTableMigrations();
    return migrations.empty() ? 0 : migrations.back().version;
}

bool readRunTablesState(QSqlDatabase& db, RunTablesState& state, QString* error) {
    state = {};
    const int exists = versionTableExists(db, error);
    if (exists <= 0)
        return exists == 0;
    const int bound = boundColumnExists(db, error);
    if (bound < 0)
        return false;
    QSqlQuery query(db);
    if (!run(query,
             bound ? QStringLiteral("SELECT version, min_library_version FROM xq_schema_version "
                                    "ORDER BY version DESC LIMIT 1")
                   : QStringLiteral("SELECT version FROM xq_schema_version ORDER BY version DESC "
                                    "LIMIT 1"),
             error))
        return false;
    if (query.next()) {
        state.version = query.value(0).toInt();
        if (bound)
            state.minLibraryVersion = query.value(1).toString();
    }
    return true;
}

namespace {

// On SQLite the transaction takes the file's write lock at once, so that of
// two connections meeting old tables the second reads them after the first
// moved them forward (a deferred one would read first and then collide).
bool begin(QSqlDatabase& db, QString* error) {
    if (isPostgres(db)) {
        if (db.transaction())
            return true;
        return failed(error, db.lastError().text());
    }
    QSqlQuery query(db);
    return run(query, QStringLiteral("BEGIN IMMEDIATE"), error);
}

} // namespace

bool migrateRunTables(QSqlDatabase& db, QString* error, int target,
                      const std::vector<SchemaMigration>& migrations) {
    if (!begin(db, error))
        return false;
    if (!applyMigrations(db, target, migrations, error)) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        return failed(error, text);
    }
    return true;
}

bool libraryMayWrite(const RunTablesState& state, const QString& libraryVersion, QString* error) {
    if (state.version < WrittenFromVersion)
        return failed(error, QStringLiteral("The run tables are missing"));
    const QVersionNumber bound = QVersionNumber::fromString(state.minLibraryVersion);
    if (bound.isNull() || QVersionNumber::fromString(libraryVersion) >= bound)
        return true;
    return failed(error, QStringLiteral("The run tables are of version %1 and take runs from "
                                        "library %2 on; this library is %3: its runs wait in the "
                                        "backup queue until it is upgraded")
                             .arg(state.version)
                             .arg(state.minLibraryVersion, libraryVersion));
}

bool prepareRunTablesForWriting(QSqlDatabase& db, QString* error) {
    RunTablesState state;
    if (!readRunTablesState(db, state, error))
        return false;
    if (state.version < latestRunTablesVersion()) {
        QString migrationError;
        if (migrateRunTables(db, &migrationError)) {
            if (!readRunTablesState(db, state, error))
                return false;
        } else if (state.version < WrittenFromVersion) {
            return failed(error, migrationError);
        } else {
            sayOnce(QStringLiteral("the run tables stay at version %1: %2")
                        .arg(state.version)
                        .arg(migrationError));
        }
    }
    return libraryMayWrite(state, libraryVersion(), error);
}

QStringList migrationStatements(const QSqlDatabase& db,
                                const std::vector<SchemaMigration>& migrations) {
    QStringList statements;
    for (const SchemaMigration& migration : migrations)
        statements << splitStatements(isPostgres(db) ? migration.postgres : migration.sqlite);
    return statements;
}

} // namespace XQTestDev
