#pragma once

#include "DashboardControl.h"
#include "DashboardSql.h"

#include <QString>

namespace XQTestDev::dashboard {

// The HTML body of each page from the tables the database gave; every text
// escaped, the tables readable without JavaScript, the charts drawn by
// dashboard.js from the JSON addresses named in data-src.

QString overviewBody(const Period& period, const Table& yield, const Table& trend,
                     const Table& lastRuns, const Table& alarms, double yieldDrop);
// The live stations (queryLiveStations), refreshed every 5 s; a sentence
// instead when the run tables are too old to hold them.
QString liveStationsSection(const Table& live, bool missing, int silentMinutes);
QString productBody(const QString& product, const Period& period, const Table& pareto,
                    const Table& capability, const Table& stations);
QString lineBody(const QString& product, const QString& key, const Period& period,
                 const Table& capability, const Table& histogram);
QString controlBody(const QString& product, const QString& key, const Period& period,
                    const Baseline& baseline, const Table& limits, const Table& points);
QString unitBody(const QString& serial, const Table& runs);
QString messageBody(const QString& heading, const QString& message);

// "from=2026-12-04&to=2026-12-10"
QString periodQuery(const Period& period);
QString productAddress(const QString& product);
QString unitAddress(const QString& serial);
// "baseline=20" or "baselineFrom=2026-11-01&baselineTo=2026-11-30"
QString baselineQuery(const Baseline& baseline);
QString lineAddress(const QString& product, const QString& key);
// The line's control chart.
QString controlAddress(const QString& product, const QString& key);

} // namespace XQTestDev::dashboard
