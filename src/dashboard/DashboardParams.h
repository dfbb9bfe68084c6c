#pragma once

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
// Days shown when the request names no period.
inline constexpr int DefaultDays = 7;

bool onlyKnownParameters(const QUrlQuery& query, const QStringList& known, QString* message);
// `from` and `to` as yyyy-MM-dd; without them, the last DefaultDays days up to `today`.
bool readPeriod(const QUrlQuery& query, const QDate& today, Period& period, QString* message);
bool readFormat(const QUrlQuery& query, Format fallback, Format& format, QString* message);
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
