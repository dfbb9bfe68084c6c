#pragma once

#include "DashboardSql.h"

namespace XQTestDev::dashboard {

// The overview's alarms (queryAlarms) as last computed for the same database,
// period and threshold, as long as the runs they were computed from are the
// same: the number of runs in the two periods and the newest run's id are
// asked first (one index lookup), and any run added, replayed or deleted
// since computes them afresh. Sorting every value of the period is the
// alarms' cost, and the overview is asked for far more often than a station
// ends a run. Safe from the server's worker threads.
bool queryAlarmsKept(QSqlDatabase& db, const Period& period, double yieldDrop, Table& table,
                     QString* error);

} // namespace XQTestDev::dashboard
