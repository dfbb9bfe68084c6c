#include "DashboardControl.h"

#include "ControlRules.h"
#include "DashboardSqlParts.h"

#include <QJsonArray>

#include <limits>

namespace XQTestDev::dashboard {

namespace {

// The baseline's values in time order (a run holds one value of a line): the
// mean is the centre line, and the moving ranges |x(i) - x(i-1)| between
// consecutive baseline values give sigma. %1 is d2.
constexpr const char* ControlLimitsSql = R"(
WITH v AS (
  SELECT r.start_time AS start_time, r.id AS run_id, m.number AS x
  FROM xq_run r JOIN xq_measurement m ON m.run_id = r.id
  WHERE r.product = ? AND r.start_time >= ? AND r.start_time < ? AND m.line_key = ?
    AND m.number IS NOT NULL),
ordered AS (
  SELECT start_time, x, row_number() OVER w AS i, abs(x - lag(x) OVER w) AS mr
  FROM v
  WINDOW w AS (ORDER BY start_time, run_id)),
figures AS (
  SELECT min(start_time) AS first_time, max(start_time) AS last_time, count(*) AS n,
         avg(x) AS centre, avg(mr) AS mr_bar
  FROM ordered WHERE i <= ?)
SELECT first_time, last_time, n, centre, mr_bar, mr_bar / CAST(%1 AS DOUBLE PRECISION) AS sigma,
       CASE WHEN mr_bar > 0 THEN centre - 3 * mr_bar / CAST(%1 AS DOUBLE PRECISION) END AS lcl,
       CASE WHEN mr_bar > 0 THEN centre + 3 * mr_bar / CAST(%1 AS DOUBLE PRECISION) END AS ucl
FROM figures WHERE n > 0)";

QList<Column> limitsColumns() {
    return {
        {QStringLiteral("baselineStart"), QStringLiteral("First value (UTC)"), ColumnKind::Time},
        {QStringLiteral("baselineEnd"), QStringLiteral("Last value (UTC)"), ColumnKind::Time},
        {QStringLiteral("n"), QStringLiteral("n"), ColumnKind::Integer},
        {QStringLiteral("centre"), QStringLiteral("Centre line"), ColumnKind::Number},
        {QStringLiteral("movingRange"), QStringLiteral("Average moving range"), ColumnKind::Number},
        {QStringLiteral("sigma"), QStringLiteral("Sigma"), ColumnKind::Number},
        {QStringLiteral("lcl"), QStringLiteral("LCL"), ColumnKind::Number},
        {QStringLiteral("ucl"), QStringLiteral("UCL"), ColumnKind::Number}};
}

QVariant figure(const Table& limits, const char* key) {
    if (limits.rows.isEmpty())
        return QVariant(QMetaType::fromType<double>());
    return limits.rows.first().value(limits.columnOf(QLatin1String(key)));
}

} // namespace

bool queryControlLimits(QSqlDatabase& db, const QString& product, const QString& key,
                        const Period& period, const Baseline& baseline, Table& table,
                        QString* error) {
    table.columns = limitsColumns();
    const QVariantList bounds = sqlparts::periodBounds(db, baseline.period.value_or(period));
    const int count = baseline.period ? std::numeric_limits<int>::max() : baseline.count;
    return sqlparts::fillTable(
        db, QString::fromLatin1(ControlLimitsSql).arg(QString::number(MovingRangeD2)),
        QVariantList{product} + bounds + QVariantList{key, count}, table, error);
}

bool queryControlChart(QSqlDatabase& db, const QString& product, const QString& key,
                       const Period& period, const Baseline& baseline, Table& limits, Table& points,
                       QString* error) {
    Table values;
    if (!queryControlLimits(db, product, key, period, baseline, limits, error) ||
        !queryLineValues(db, product, key, period, values, error))
        return false;
    points.columns = values.columns;
    points.columns << Column{QStringLiteral("centre"), QStringLiteral("Centre line"),
                             ColumnKind::Number}
                   << Column{QStringLiteral("lcl"), QStringLiteral("LCL"), ColumnKind::Number}
                   << Column{QStringLiteral("ucl"), QStringLiteral("UCL"), ColumnKind::Number}
                   << Column{QStringLiteral("rules"), QStringLiteral("Rules broken"),
                             ColumnKind::List};
    points.rows.clear();
    if (explainQueries()) {
        points.rows = values.rows;
        return true;
    }
    const int valueColumn = values.columnOf(QStringLiteral("value"));
    std::vector<double> series;
    series.reserve(values.rows.size());
    for (const QVariantList& row : std::as_const(values.rows))
        series.push_back(row.value(valueColumn).toDouble());
    const QVariant centre = figure(limits, "centre");
    const QVariant sigma = figure(limits, "sigma");
    const std::vector<RuleBreaks> breaks = westernElectricBreaks(
        series, centre.isNull() ? 0.0 : centre.toDouble(), sigma.isNull() ? 0.0 : sigma.toDouble());
    for (qsizetype i = 0; i < values.rows.size(); ++i) {
        QJsonArray rules;
        for (const int rule : rulesOf(breaks[static_cast<std::size_t>(i)]))
            rules.append(rule);
        points.rows << (values.rows[i] + QVariantList{centre, figure(limits, "lcl"),
                                                      figure(limits, "ucl"), QVariant(rules)});
    }
    return true;
}

} // namespace XQTestDev::dashboard
