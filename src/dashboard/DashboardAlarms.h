#pragma once

#include "DashboardSql.h"

namespace XQTestDev::dashboard {

// How far, in percentage points, a first-pass yield may fall against the
// previous period of the same length before it is an alarm.
inline constexpr double DefaultYieldDrop = 5.0;
// A line's latest values that are looked at for rule breaks.
inline constexpr int AlarmLatestValues = 25;

// The overview's alarms, one row each: lines whose Cpk in the period is under
// CpkGoal ("cpk"), lines with Western Electric rule breaks among their latest
// AlarmLatestValues values against a baseline of the period's first
// DefaultBaselineValues ("rules"), and products and stations whose first-pass
// yield fell by more than `yieldDrop` percentage points against the period of
// the same length before ("yield"). Each with the address of its page.
bool queryAlarms(QSqlDatabase& db, const Period& period, double yieldDrop, Table& table,
                 QString* error);

} // namespace XQTestDev::dashboard
