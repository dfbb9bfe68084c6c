#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

namespace XQTestDev {

// The run tables move forward by numbered migrations, each one SQL file per
// database in migrations/ (compiled into the library, shipped for a database
// administrator). A migration ends by recording its own version in
// xq_schema_version, so the files can be run by hand in order just as well.
//
// Versions are compatible forward: a migration that only adds (a column with
// a default, an index, a table) keeps the oldest library that may write
// (`min_library_version`) where it was, and a station of an older library
// keeps writing to the newer tables. Only a migration that changes what an
// insert must give raises that bound; a station below it stores nothing in
// the tables and keeps its runs in the backup queue until it is upgraded.
struct SchemaMigration {
    int version = 0;
    QString sqlite;   // the statements on SQLite
    QString postgres; // the statements on PostgreSQL
};

// The migrations this library knows, in order.
const std::vector<SchemaMigration>& runTableMigrations();
int latestRunTablesVersion();

// What xq_schema_version says; version 0 when the tables are not there.
struct RunTablesState {
    int version = 0;
    QString minLibraryVersion; // empty before version 2
};

bool readRunTablesState(QSqlDatabase& db, RunTablesState& state, QString* error);

// Applies, in one transaction, every migration above the database's version
// up to `target` (all when negative), in order. Stations and tools of several
// machines may meet an old schema at once: on PostgreSQL one migrates while
// the others wait and then find nothing left to do. False, with the
// database's own text in `error`, when a statement fails: then nothing of it
// is kept.
bool migrateRunTables(QSqlDatabase& db, QString* error, int target = -1,
                      const std::vector<SchemaMigration>& migrations = runTableMigrations());

// Whether a library of `libraryVersion` may write to tables in `state`.
bool libraryMayWrite(const RunTablesState& state, const QString& libraryVersion, QString* error);

// Brings the tables up to this library's version where the role may, and
// says whether this library may write to them. A station whose role may not
// change the tables still writes to tables that hold what it writes.
bool prepareRunTablesForWriting(QSqlDatabase& db, QString* error);

// The statements of every migration on this database, in order.
QStringList
migrationStatements(const QSqlDatabase& db,
                    const std::vector<SchemaMigration>& migrations = runTableMigrations());

// One migration file split into its statements, comments dropped.
QStringList splitStatements(const QString& sql);

} // namespace XQTestDev
