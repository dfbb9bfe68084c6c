#pragma once

#include "DashboardTable.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace XQTestDev::dashboard {

// The days a page looks at, both included, in UTC.
struct Period {
    QDate from;
    QDate to;
};

// Every figure of the fleet view, computed by the database from the run
// tables (xq_run, xq_measurement). Each answer is false with the database's
// own text in `error` when the query failed; values are always bound.

// The overview's yield per product and station and its first-pass yield per
// day, from one statement; queryYield and queryTrend answer one of the two.
bool queryOverview(QSqlDatabase& db, const Period& period, Table& yield, Table& trend,
                   QString* error);
bool queryYield(QSqlDatabase& db, const Period& period, Table& table, QString* error);
bool queryTrend(QSqlDatabase& db, const Period& period, Table& table, QString* error);
bool queryLastRuns(QSqlDatabase& db, int count, Table& table, QString* error);
bool queryPareto(QSqlDatabase& db, const QString& product, const Period& period, Table& table,
                 QString* error);
bool queryCapability(QSqlDatabase& db, const QString& product, const Period& period, Table& table,
                     QString* error);
// Each station's mean and spread of each numeric line beside the fleet's, and
// whether its mean differs from the other stations': Welch's two-sided t-test
// at the level StationDifferenceLevel.
bool queryStations(QSqlDatabase& db, const QString& product, const Period& period, Table& table,
                   QString* error);
// 20 equal bins over the line's values and its limits, empty bins included.
bool queryHistogram(QSqlDatabase& db, const QString& product, const QString& key,
                    const Period& period, std::optional<double> lsl, std::optional<double> usl,
                    Table& table, QString* error);
// The latest values of the line, oldest first.
bool queryLineValues(QSqlDatabase& db, const QString& product, const QString& key,
                     const Period& period, Table& table, QString* error);
bool queryUnit(QSqlDatabase& db, const QString& serial, Table& table, QString* error);

// Whether any run of the product (any line of it) is stored, at any time.
bool productExists(QSqlDatabase& db, const QString& product, bool& exists, QString* error);
bool lineExists(QSqlDatabase& db, const QString& product, const QString& key, bool& exists,
                QString* error);

// The rows of `sql` with `values` bound, each cell read as its column's kind;
// for figures computed beside this file (LiveStations.cpp).
bool fillTable(QSqlDatabase& db, const QString& sql, const QVariantList& values, Table& table,
               QString* error);

// When set, every query asks PostgreSQL for its plan as run (EXPLAIN
// ANALYZE) instead of its rows: the table's first column holds the plan's
// lines. For the fleet benchmark, which shows why each answer is as fast as
// it is.
bool& explainQueries();

// How many values the line page draws at most.
inline constexpr int LineValuesShown = 2000;
inline constexpr int HistogramBins = 20;
// The capability index a line is expected to reach; a lower Cpk is flagged.
inline constexpr double CpkGoal = 1.33;
// The significance level at which a station's mean is flagged as differing.
inline constexpr double StationDifferenceLevel = 0.01;

} // namespace XQTestDev::dashboard
