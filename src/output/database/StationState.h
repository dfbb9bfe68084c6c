#pragma once

#include "frame/RunRecord.h"
#include "output/database/KeptConnections.h"

#include <XQTestDev/Enums.h>

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace XQTestDev {

// Each station's live state in the run tables (xq_station, one row per
// station): testing a unit or idle, since when, and when it was last seen.
// The station writes it at the start and the end of every run to the database
// its runs go to, so that a fleet view tells a busy station from an idle or a
// silent one.
//
// The state is live, not a record: a write that cannot be made at once is
// dropped, never queued, as a late row would show a station busy that is
// long idle. It is written in the background, so a slow or dead database
// never holds up a run; the run's row and its backup queue are the
// database writer's alone.

enum class StationActivity { Testing, Idle };

struct StationState {
    QString station; // as xq_run.station names it (ATE.INI's ATE ID)
    StationActivity activity = StationActivity::Idle;
    QString product;      // the current run's; empty when idle
    QString serialNumber; // the current run's; empty when idle
    QDateTime since;      // the start of the run, or the end of the last one
    QDateTime lastSeen;
};

// The state at a run's start and at its end (stopped or aborted).
StationState testingState(const RunRecord& started, const QDateTime& now);
StationState idleState(const RunRecord& finished, const QDateTime& now);

// The database of the last WriteDatabase of this process; before the first,
// the one ATE.INI's [Database] names (a server when ServerName is set,
// otherwise the file DatabaseName).
void rememberStationDatabase(const DatabaseAddress& database);
DatabaseAddress stationDatabase();
// Back to ATE.INI's, as at the start of the process (tests).
void forgetStationDatabase();

// Opens the station's database for one state write as connection `name`; an
// SQLite file that does not exist yet is not made. Closed, with the reason in
// `error`, when it cannot be opened.
QSqlDatabase openStationDatabase(const DatabaseAddress& database, const QString& name,
                                 QString* error);

// Writes the state on an open connection: the station's row made or replaced.
// False with the database's own text in `error`, e.g. when the run tables are
// older than the table.
bool writeStationState(QSqlDatabase& db, const StationState& state, QString* error);

// Hands the state to the background writer for the station's database and
// returns at once. Only the latest state waits: one noted while another is
// still being written replaces any that had not started. A database that
// cannot be reached is said once on standard error until a write succeeds
// again. A state without a station name, or of a station without a database
// (none named, or its SQLite file not made yet), is skipped without a word.
void noteStationState(const StationState& state);

// Waits up to `timeoutMs` for every noted state to be written or given up;
// whether it was. For tests and the end of the process.
bool waitForStationStates(int timeoutMs);

} // namespace XQTestDev
