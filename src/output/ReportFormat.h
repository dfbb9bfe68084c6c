#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace XQTestDev {

// The number patterns of the report: "#,##0" (no decimals), "#,##0.0##" (one
// to three) and "#,##0.0#" (one or two), always with "," between thousands
// and "." as the decimal point, whatever the system's locale.
enum class NumberPattern { NoDecimals, UpToThreeDecimals, UpToTwoDecimals };

// The value rounded half away from zero on its shortest decimal form (so 2.675
// gives 2.68, as written). A value that rounds to zero keeps its minus sign
// ("-0.0"), telling the reader the reading was below zero. Empty for an
// infinity or NaN.
QString formatNumber(double value, NumberPattern pattern);

// "MM/DD/YYYY": 03/07/2024.
QString reportDate(const QDateTime& time);

// "HH:MM:SS AM/PM": 02:05:09 PM, 12:00:00 AM for midnight.
QString reportClock(const QDateTime& time);

// "hh:mm:ss" of the time between start and end, hours of the day, so a run of
// 25 hours reads 01:00:00. An end before the start counts the same span.
QString reportDuration(const QDateTime& start, const QDateTime& end);

// The duration printed when no start time was on record.
inline constexpr QLatin1StringView UnknownDuration("??:??:??");

} // namespace XQTestDev
