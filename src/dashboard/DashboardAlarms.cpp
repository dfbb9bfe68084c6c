#include "DashboardAlarms.h"

#include "ControlRules.h"
#include "DashboardControl.h"
#include "DashboardPages.h"
#include "DashboardRender.h"
#include "DashboardSqlParts.h"

#include <QJsonArray>

#include <map>
#include <set>

namespace XQTestDev::dashboard {

namespace {

// Rules 2 to 4 look at up to 7 values before the one they mark: so many more
// than the latest values are read, so that a break among the latest is found
// as the control chart finds it.
constexpr int RuleContext = 7;

// Every numeric value of the period once, in each line's time order (one
// sort): the capability of each line and set of limits, each line's baseline
// (its first values) and its latest values come from it. The statement gives
// rows of two kinds: 'cpk', a line under the goal, and 'value', one of the
// latest values of a line with a spread, with its baseline's centre and
// sigma; `place` counts back from the latest value (0). The sort only groups
// the lines: on PostgreSQL it compares their names byte by byte (%1), which
// is several times faster than a locale's collation.
constexpr const char* AlarmLinesHead = R"(
WITH runs AS MATERIALIZED (
  SELECT id, product, start_time FROM xq_run WHERE start_time >= ? AND start_time < ?),
ordered AS MATERIALIZED (
  SELECT r.product AS product, m.line_key AS line_key, m.parameter AS parameter,
         m.min AS min_text, m.max AS max_text, m.number AS x, row_number() OVER w AS i,
         abs(m.number - lag(m.number) OVER w) AS mr
  FROM runs r JOIN xq_measurement m ON m.run_id = r.id
  WHERE m.number IS NOT NULL
  WINDOW w AS (PARTITION BY r.product%1, m.line_key%1 ORDER BY r.start_time, r.id)),)";

// The sample standard deviation as the capability table computes it: in one
// pass on PostgreSQL, about the mean in a second pass on SQLite.
constexpr const char* AlarmStatsSqlite = R"(
base AS (
  SELECT product, line_key, parameter, min_text, max_text, count(*) AS n, avg(x) AS mean
  FROM ordered GROUP BY product, line_key, parameter, min_text, max_text),
stats AS (
  SELECT b.product, b.line_key, b.parameter, b.min_text, b.max_text, b.n, b.mean,
         CASE WHEN b.n >= 2 THEN sqrt(sum((o.x - b.mean) * (o.x - b.mean)) / (b.n - 1)) END AS sd
  FROM base b JOIN ordered o
    ON o.product = b.product AND o.line_key = b.line_key AND o.parameter = b.parameter
   AND o.min_text = b.min_text AND o.max_text = b.max_text
  GROUP BY b.product, b.line_key, b.parameter, b.min_text, b.max_text, b.n, b.mean),)";

constexpr const char* AlarmStatsPostgres = R"(
stats AS (
  SELECT product, line_key, parameter, min_text, max_text, count(*) AS n, avg(x) AS mean,
         stddev_samp(x) AS sd
  FROM ordered GROUP BY product, line_key, parameter, min_text, max_text),)";

// Cpk as the capability table defines it. %1 is d2, %2 the names' order as
// in the sort above.
constexpr const char* AlarmLinesTail = R"(,
per_line AS (
  SELECT product, line_key, count(*) AS total, avg(CASE WHEN i <= ? THEN x END) AS centre,
         avg(CASE WHEN i <= ? THEN mr END) / CAST(%1 AS DOUBLE PRECISION) AS sigma
  FROM ordered GROUP BY product, line_key),
capability AS (
  SELECT product, line_key, parameter,
         CASE WHEN n < 2 OR sd IS NULL OR sd = 0 OR (lsl IS NULL AND usl IS NULL) THEN NULL
              WHEN lsl IS NULL THEN (usl - mean) / (3 * sd)
              WHEN usl IS NULL THEN (mean - lsl) / (3 * sd)
              WHEN usl - mean < mean - lsl THEN (usl - mean) / (3 * sd)
              ELSE (mean - lsl) / (3 * sd) END AS cpk
  FROM limits)
SELECT * FROM (
  SELECT 'cpk' AS kind, product, line_key, parameter, cpk AS x,
         CAST(NULL AS DOUBLE PRECISION) AS centre, CAST(NULL AS DOUBLE PRECISION) AS sigma,
         0 AS place
  FROM capability WHERE cpk < ?
  UNION ALL
  SELECT 'value', o.product, o.line_key, o.parameter, o.x, p.centre, p.sigma, p.total - o.i
  FROM ordered o JOIN per_line p ON p.product = o.product AND p.line_key = o.line_key
  WHERE p.sigma > 0 AND o.i > p.total - ?) AS alarms
ORDER BY kind, product%2, length(line_key), line_key%2, place DESC, parameter)";

// Each unit's first run in the period and in the period before (a unit is a
// serial number of a product on a station, as in the yield table), and the
// first-pass yield of each product and each station in both: those that fell
// by more than the threshold (a fraction).
constexpr const char* YieldDropSql = R"(
WITH runs AS (
  SELECT product, station, serial_number, start_time, verdict, aborted, untested,
         CASE WHEN start_time >= ? THEN 1 ELSE 0 END AS in_period
  FROM xq_run WHERE start_time >= ? AND start_time < ?),
units AS (
  SELECT product, station, in_period,
         CASE WHEN min(start_time) = min(CASE WHEN verdict = 'PASS' AND NOT aborted
                                               AND untested = 0 THEN start_time END)
              THEN 1 ELSE 0 END AS first_passed
  FROM runs GROUP BY product, station, serial_number, in_period),
yields AS (
  SELECT 'product' AS kind, product AS name, sum(in_period) AS units,
         CAST(sum(first_passed * in_period) AS DOUBLE PRECISION) / NULLIF(sum(in_period), 0) AS fpy_now,
         CAST(sum(first_passed * (1 - in_period)) AS DOUBLE PRECISION)
           / NULLIF(sum(1 - in_period), 0) AS fpy_before
  FROM units GROUP BY product
  UNION ALL
  SELECT 'station', station, sum(in_period),
         CAST(sum(first_passed * in_period) AS DOUBLE PRECISION) / NULLIF(sum(in_period), 0),
         CAST(sum(first_passed * (1 - in_period)) AS DOUBLE PRECISION)
           / NULLIF(sum(1 - in_period), 0)
  FROM units GROUP BY station)
SELECT kind, name, fpy_now, fpy_before FROM yields
WHERE fpy_now IS NOT NULL AND fpy_before IS NOT NULL AND fpy_before - fpy_now > ?
ORDER BY kind, name)";

QList<Column> alarmColumns() {
    return {{QStringLiteral("kind"), QStringLiteral("Kind"), ColumnKind::Text},
            {QStringLiteral("product"), QStringLiteral("Product"), ColumnKind::Text},
            {QStringLiteral("station"), QStringLiteral("Station"), ColumnKind::Text},
            {QStringLiteral("key"), QStringLiteral("Line"), ColumnKind::Text},
            {QStringLiteral("parameter"), QStringLiteral("Parameter"), ColumnKind::Text},
            {QStringLiteral("value"), QStringLiteral("Value"), ColumnKind::Number},
            {QStringLiteral("previous"), QStringLiteral("Before"), ColumnKind::Number},
            {QStringLiteral("rules"), QStringLiteral("Rules broken"), ColumnKind::List},
            {QStringLiteral("alarm"), QStringLiteral("Alarm"), ColumnKind::Text},
            {QStringLiteral("address"), QStringLiteral("Page"), ColumnKind::Text}};
}

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 1) + QStringLiteral(" %");
}

QVariant none() {
    return QVariant(QMetaType::fromType<QString>());
}

QVariant noNumber() {
    return QVariant(QMetaType::fromType<double>());
}

// One line's latest values, oldest first, against its baseline.
struct LineValues {
    QString parameter;
    double centre = 0;
    double sigma = 0;
    std::vector<double> values;
};

// The rows of the lines under the Cpk goal, and the rule breaks of the
// others' latest values.
void addLineAlarms(const Table& lines, const Period& period, Table& table) {
    const QString range = periodQuery(period);
    std::map<std::pair<QString, QString>, LineValues> latest;
    std::vector<std::pair<QString, QString>> order;
    for (const QVariantList& row : lines.rows) {
        const QString product = row.value(1).toString();
        const QString key = row.value(2).toString();
        if (row.value(0).toString() == QLatin1String("cpk")) {
            const double cpk = row.value(4).toDouble();
            table.rows << QVariantList{QStringLiteral("cpk"),
                                       product,
                                       none(),
                                       key,
                                       row.value(3),
                                       cpk,
                                       noNumber(),
                                       QVariant(QJsonArray()),
                                       QStringLiteral("Cpk %1 is under %2.")
                                           .arg(cellText(cpk, ColumnKind::Number))
                                           .arg(CpkGoal),
                                       lineAddress(product, key) + u'?' + range};
            continue;
        }
        auto [line, added] = latest.try_emplace({product, key});
        if (added)
            order.push_back({product, key});
        line->second.parameter = row.value(3).toString();
        line->second.centre = row.value(5).toDouble();
        line->second.sigma = row.value(6).toDouble();
        line->second.values.push_back(row.value(4).toDouble());
    }
    for (const auto& id : order) {
        const LineValues& line = latest[id];
        const std::vector<RuleBreaks> breaks =
            westernElectricBreaks(line.values, line.centre, line.sigma);
        const std::size_t firstLooked =
            breaks.size() > AlarmLatestValues ? breaks.size() - AlarmLatestValues : 0;
        std::set<int> rules;
        int points = 0;
        for (std::size_t i = firstLooked; i < breaks.size(); ++i) {
            if (!breaks[i])
                continue;
            ++points;
            for (const int rule : rulesOf(breaks[i]))
                rules.insert(rule);
        }
        if (points == 0)
            continue;
        QJsonArray broken;
        QStringList names;
        for (const int rule : rules) {
            broken.append(rule);
            names << QString::number(rule);
        }
        table.rows << QVariantList{
            QStringLiteral("rules"),
            id.first,
            none(),
            id.second,
            line.parameter,
            points,
            noNumber(),
            QVariant(broken),
            QStringLiteral("%1 of the latest %2 values break%3 rule%4 %5.")
                .arg(points)
                .arg(std::min<std::size_t>(breaks.size() - firstLooked, AlarmLatestValues))
                .arg(points == 1 ? QStringLiteral("s") : QString())
                .arg(rules.size() == 1 ? QString() : QStringLiteral("s"))
                .arg(names.join(QStringLiteral(", "))),
            controlAddress(id.first, id.second) + u'?' + range};
    }
}

void addYieldAlarms(const Table& drops, const Period& period, Table& table) {
    const QString range = periodQuery(period);
    const qint64 days = period.from.daysTo(period.to) + 1;
    for (const QVariantList& row : drops.rows) {
        const bool product = row.value(0).toString() == QLatin1String("product");
        const QString name = row.value(1).toString();
        const double now = row.value(2).toDouble();
        const double before = row.value(3).toDouble();
        table.rows << QVariantList{
            QStringLiteral("yield"),
            product ? QVariant(name) : none(),
            product ? none() : QVariant(name),
            none(),
            none(),
            now,
            before,
            QVariant(QJsonArray()),
            QStringLiteral("First-pass yield %1, down from %2 in the %3 day%4 before.")
                .arg(percent(now), percent(before))
                .arg(days)
                .arg(days == 1 ? QString() : QStringLiteral("s")),
            product ? productAddress(name) + u'?' + range
                    : QStringLiteral("/?") + range + QStringLiteral("#yield")};
    }
}

} // namespace

bool queryAlarms(QSqlDatabase& db, const Period& period, double yieldDrop, Table& table,
                 QString* error) {
    table.columns = alarmColumns();
    table.rows.clear();
    const QString d2 = QString::number(MovingRangeD2);
    const QString byteOrder =
        sqlparts::isPostgres(db) ? QStringLiteral(" COLLATE \"C\"") : QString();
    const QString linesSql =
        QString::fromLatin1(AlarmLinesHead).arg(byteOrder) +
        QLatin1String(sqlparts::isPostgres(db) ? AlarmStatsPostgres : AlarmStatsSqlite) +
        sqlparts::limitsCte(db) + QString::fromLatin1(AlarmLinesTail).arg(d2, byteOrder);
    Table lines;
    lines.columns = {{QStringLiteral("kind"), QString(), ColumnKind::Text},
                     {QStringLiteral("product"), QString(), ColumnKind::Text},
                     {QStringLiteral("key"), QString(), ColumnKind::Text},
                     {QStringLiteral("parameter"), QString(), ColumnKind::Text},
                     {QStringLiteral("x"), QString(), ColumnKind::Number},
                     {QStringLiteral("centre"), QString(), ColumnKind::Number},
                     {QStringLiteral("sigma"), QString(), ColumnKind::Number},
                     {QStringLiteral("place"), QString(), ColumnKind::Integer}};
    if (!sqlparts::fillTable(db, linesSql,
                             sqlparts::periodBounds(db, period) +
                                 QVariantList{DefaultBaselineValues, DefaultBaselineValues, CpkGoal,
                                              AlarmLatestValues + RuleContext},
                             lines, error))
        return false;
    const qint64 days = period.from.daysTo(period.to) + 1;
    const Period before{period.from.addDays(-days), period.to};
    Table drops;
    drops.columns = {{QStringLiteral("kind"), QString(), ColumnKind::Text},
                     {QStringLiteral("name"), QString(), ColumnKind::Text},
                     {QStringLiteral("now"), QString(), ColumnKind::Number},
                     {QStringLiteral("before"), QString(), ColumnKind::Number}};
    if (!sqlparts::fillTable(db, QString::fromLatin1(YieldDropSql),
                             QVariantList{sqlparts::periodBounds(db, period).value(0)} +
                                 sqlparts::periodBounds(db, before) +
                                 QVariantList{yieldDrop / 100.0},
                             drops, error))
        return false;
    if (explainQueries()) {
        table.rows = lines.rows + drops.rows;
        return true;
    }
    addLineAlarms(lines, period, table);
    addYieldAlarms(drops, period, table);
    return true;
}

} // namespace XQTestDev::dashboard
