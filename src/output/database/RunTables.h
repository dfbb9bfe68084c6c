#pragma once

#include "frame/RunRecord.h"

#include <QSqlDatabase>
#include <QString>

namespace XQTestDev {

// The library's own tables of every run, one shape for every product, read by
// fleet views and a user's own SQL:
//   xq_run            one row per run (station, unit, times, verdict, untested
//                     lines, configuration versions and checksums, instruments
//                     as a JSON array, the record file);
//   xq_measurement    one row per test line of a run, limits beside the value;
//   xq_schema_version one row: the version of these tables and the oldest
//                     library that may still write to them (SchemaMigrations.h).
//   xq_station        one row per station: its live state, kept by the
//                     station itself (StationState.h).
// Times are timestamps with time zone on PostgreSQL and ISO 8601 text in UTC
// ("2026-12-10T16:27:52Z") on SQLite, so that text order is time order.
// A run is one station, serial number and start time: a unique index on them
// keeps a replayed run from being stored twice.

// Makes the tables and their indexes where they are missing, and moves
// older ones forward (SQLite, or PostgreSQL when the role may). False, with
// the reason in `error`, when they are missing and cannot be made, or when
// they need a newer library than this one. Safe to call from several
// connections at once.
bool ensureRunTables(QSqlDatabase& db, QString* error);

// Stores the run and its lines with bound values and gives the run's id. A run
// stored already (same station, serial number and start time) is not stored
// again: its id is given. -1 with `error` set on a failure. Run it inside a
// transaction so that the run and its lines are stored together (and quickly:
// one commit rather than one per line).
qint64 insertRunRecord(QSqlDatabase& db, const RunRecord& record, const QString& recordFile,
                       QString* error);

// Whether WriteDatabase stores runs in these tables; true unless the bench
// measures a write without them.
bool& runTablesEnabled();

// The statements that make the tables on each database, for the station's
// documentation and for tests that compare them with the shipped SQL file.
QStringList runTableStatements(const QSqlDatabase& db);

} // namespace XQTestDev
