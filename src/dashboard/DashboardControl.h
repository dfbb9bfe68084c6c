#pragma once

#include "DashboardSql.h"

#include <optional>

namespace XQTestDev::dashboard {

// How many of the period's first values make a control chart's baseline
// when the request names none.
inline constexpr int DefaultBaselineValues = 20;
// The estimate of sigma from the average moving range of two values:
// sigma = MR-bar / d2, d2 = 1.128 for ranges of two.
inline constexpr double MovingRangeD2 = 1.128;

// Where a control chart's centre line and limits come from: the first
// `count` values of the period, or every value of `period`.
struct Baseline {
    int count = DefaultBaselineValues;
    std::optional<Period> period;
};

// The baseline's figures, one row (none without a value): its first and last
// value's time, n, the centre line (the mean), the average moving range,
// sigma = MR-bar / 1.128 and the limits centre -/+ 3 sigma (null without a
// spread).
bool queryControlLimits(QSqlDatabase& db, const QString& product, const QString& key,
                        const Period& period, const Baseline& baseline, Table& table,
                        QString* error);
// The individuals chart: the baseline's figures as above and the line's
// values in time order (the latest LineValuesShown of the period), each with
// the centre line, the limits and the Western Electric rules it breaks.
bool queryControlChart(QSqlDatabase& db, const QString& product, const QString& key,
                       const Period& period, const Baseline& baseline, Table& limits, Table& points,
                       QString* error);

} // namespace XQTestDev::dashboard
