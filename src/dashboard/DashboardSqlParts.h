#pragma once

#include "DashboardSql.h"

#include <QVariantList>

// What the queries beside DashboardSql.cpp share with it: the database's
// dialect, a period's bounds as it compares start times, and a statement's
// rows read into a table.
namespace XQTestDev::dashboard::sqlparts {

bool isPostgres(const QSqlDatabase& db);
// The first instant of the period and the first after it.
QVariantList periodBounds(const QSqlDatabase& db, const Period& period);
// The statement run with its values bound, its rows in the table's columns
// (or its plan, when explainQueries() is set).
bool fillTable(QSqlDatabase& db, const QString& sql, const QVariantList& values, Table& table,
               QString* error);
// The CTE "limits": each row of the CTE "stats" (which holds min_text and
// max_text, the limits as written) with its limits as numbers, lsl and usl,
// or null where open; as the capability table reads them.
QString limitsCte(const QSqlDatabase& db);

} // namespace XQTestDev::dashboard::sqlparts
