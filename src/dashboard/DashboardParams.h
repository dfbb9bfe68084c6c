#pragma once

#include "DashboardControl.h"
#include "DashboardSql.h"

#include <QStringList>
#include <QUrlQuery>

namespace XQTestDev::dashboard {

// The parameters of a request, checked before any of them reaches the
// database. Each reader gives false and a sentence for the reader of the page
// (sent with 400) when a value is missing, malformed or out of bounds.

enum class Format { Html, Json, Csv };

// The longest product name, serial number or line key taken.
inline constexpr int LongestName = 200;
// The most values a control chart's baseline takes.
inline constexpr int LongestBaseline = 100000;
// Days shown when the request names no period.
inline constexpr int DefaultDays = 7;

bool onlyKnownParameters(const QUrlQuery& query, const QStringList& known, QString* message);
// `from` and `to` as yyyy-MM-dd; without them, the last DefaultDays days up to `today`.
bool readPeriod(const QUrlQuery& query, const QDate& today, Period& period, QString* message);
bool readFormat(const QUrlQuery& query, Format fallback, Format& format, QString* message);
// A control chart's baseline: `baseline` (how many of the period's first
// values, DefaultBaselineValues without it) or `baselineFrom` and
// `baselineTo` (yyyy-MM-dd, both days included), not both. An empty value
// (a form's empty field) counts as not given.
bool readBaseline(const QUrlQuery& query, Baseline& baseline, QString* message);
// `yieldDrop`: percentage points, more than 0 and at most 100.
bool readYieldDrop(const QUrlQuery& query, double& points, QString* message);
// A required text parameter (product, serial...), `what` naming it in the message.
bool readName(const QUrlQuery& query, const QString& name, const QString& what, QString& value,
              QString* message);
// A product name, serial number or line key taken from the address or a parameter.
bool checkName(const QString& value, const QString& what, QString* message);
// An optional whole number from `lowest` to `highest`; `number` keeps its
// value when the parameter is not given.
bool readWholeNumber(const QUrlQuery& query, const QString& name, int lowest, int highest,
                     int& number, QString* message);

} // namespace XQTestDev::dashboard
