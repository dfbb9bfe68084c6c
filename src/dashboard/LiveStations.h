#pragma once

#include "DashboardTable.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace XQTestDev::dashboard {

// Each station as the overview shows it, from the state the stations keep in
// xq_station (written at the start and the end of every run):
//   testing  a run started and has not ended;
//   idle     the last run ended;
//   silent   no sign of life for `silentMinutes` (an idle station that has
//            not started a run since), or a run started more than
//            SilentTestingFactor times that long ago without an end (the
//            station stopped or lost its database mid-run).
// Since when: the run's start, the last run's end, or for a silent station
// its last sign of life. Computed by the database against `now`, stations in
// name order. Tables without xq_station (older than version 3) give no rows
// and `missing` set.
bool queryLiveStations(QSqlDatabase& db, const QDateTime& now, int silentMinutes, Table& table,
                       bool& missing, QString* error);

// How many times the silence threshold a run may last before its station
// counts as silent: a station gives no sign of life during a run, and a run
// takes minutes, not hours.
inline constexpr int SilentTestingFactor = 4;
// The silence threshold when the request gives none, and the longest taken.
inline constexpr int DefaultSilentMinutes = 15;
inline constexpr int LongestSilentMinutes = 7 * 24 * 60;

} // namespace XQTestDev::dashboard
