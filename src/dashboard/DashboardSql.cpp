#include "DashboardSql.h"
#include "DashboardSqlParts.h"

#include "StudentT.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QTimeZone>

namespace XQTestDev::dashboard {

namespace {

// The SQL of each question. Most of it is the same on both databases; where
// they differ, both variants stand side by side. SQLite keeps times as UTC
// ISO text, so text order is time order and a period is compared as text.
enum class Dialect { Sqlite, Postgres };

struct Sql {
    const char* sqlite;
    const char* postgres;
};

Dialect dialectOf(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL") ? Dialect::Postgres : Dialect::Sqlite;
}

// One unit is one serial number of one product on one station; its first and
// last run within the period decide the first-pass and the final yield. A
// unit's runs on a station have distinct start times (a unique index), so its
// first run passed when its earliest start is also its earliest passing one.
// A run passed only when it ran to its end with every line tested: an
// aborted run or one with untested lines never counts as passing, whatever
// its verdict says. One hash aggregation per unit, comparing times only.
constexpr const char* UnitsSql = R"(
WITH units AS (
  SELECT product, station, count(*) AS runs, min(start_time) AS first_time,
         CASE WHEN min(start_time) = min(CASE WHEN verdict = 'PASS' AND NOT aborted
                                               AND untested = 0 THEN start_time END)
              THEN 1 ELSE 0 END AS first_passed,
         CASE WHEN max(start_time) = max(CASE WHEN verdict = 'PASS' AND NOT aborted
                                               AND untested = 0 THEN start_time END)
              THEN 1 ELSE 0 END AS last_passed,
         sum(CASE WHEN aborted THEN 1 ELSE 0 END) AS aborted,
         sum(CASE WHEN untested > 0 THEN 1 ELSE 0 END) AS untested
  FROM xq_run
  WHERE start_time >= ? AND start_time < ?
  GROUP BY product, station, serial_number),)";

// The overview's yield per product and station and its trend per day (the
// units first tested that day) from the one grouping of the period's units
// above: rows of figure 'yield' and of figure 'trend'. PostgreSQL groups the
// units both ways in one pass (grouping sets); SQLite has none and reads the
// units twice.
constexpr Sql OverviewSelect = {
    R"(
days AS (SELECT units.*, substr(first_time, 1, 10) AS day FROM units)
SELECT 'yield' AS figure, product, station, NULL AS day_label, sum(runs) AS runs,
       count(*) AS units, CAST(sum(first_passed) AS DOUBLE PRECISION) / count(*) AS first_pass_yield,
       CAST(sum(last_passed) AS DOUBLE PRECISION) / count(*) AS final_yield, sum(aborted) AS aborted,
       sum(untested) AS untested
FROM days
GROUP BY product, station
UNION ALL
SELECT 'trend', NULL, NULL, day, sum(runs), count(*),
       CAST(sum(first_passed) AS DOUBLE PRECISION) / count(*),
       CAST(sum(last_passed) AS DOUBLE PRECISION) / count(*), sum(aborted), sum(untested)
FROM days
GROUP BY day
ORDER BY 1, 2, 3, 4)",
    R"(
days AS (SELECT units.*, CAST(first_time AT TIME ZONE 'UTC' AS DATE) AS day FROM units)
SELECT CASE WHEN GROUPING(day) = 0 THEN 'trend' ELSE 'yield' END AS figure, product, station,
       to_char(day, 'YYYY-MM-DD') AS day_label, sum(runs) AS runs, count(*) AS units,
       CAST(sum(first_passed) AS DOUBLE PRECISION) / count(*) AS first_pass_yield,
       CAST(sum(last_passed) AS DOUBLE PRECISION) / count(*) AS final_yield, sum(aborted) AS aborted,
       sum(untested) AS untested
FROM days
GROUP BY GROUPING SETS ((product, station), (day))
ORDER BY 1, 2, 3, 4)",
};

// New units per day: a serial number of a product counts once in the whole
// fleet, on the day of its first run in the period, whichever stations it
// went through.
constexpr Sql NewUnitsSql = {
    R"(
SELECT substr(first_time, 1, 10) AS day, count(*) AS units
FROM (SELECT min(start_time) AS first_time FROM xq_run
      WHERE start_time >= ? AND start_time < ?
      GROUP BY product, serial_number) AS fleet_units
GROUP BY 1 ORDER BY 1)",
    R"(
SELECT to_char(CAST(first_time AT TIME ZONE 'UTC' AS DATE), 'YYYY-MM-DD') AS day, count(*) AS units
FROM (SELECT min(start_time) AS first_time FROM xq_run
      WHERE start_time >= ? AND start_time < ?
      GROUP BY product, serial_number) AS fleet_units
GROUP BY 1 ORDER BY 1)",
};

constexpr const char* LastRunsSql = R"(
SELECT start_time, station, product, serial_number, operator, verdict,
       CASE WHEN aborted THEN 1 ELSE 0 END AS aborted
FROM xq_run
WHERE start_time IS NOT NULL
ORDER BY start_time DESC, id DESC
LIMIT ?)";

// Shares of all fails of the product; ties in line order ("2" before "10").
// A run that passed has no failed line: only the others are looked into.
// The product's runs of the period are found first (by their index) and then
// their lines: left to itself, PostgreSQL may walk every run in id order to
// read the lines in the order they lie on disk.
constexpr const char* ParetoSql = R"(
WITH runs AS MATERIALIZED (
  SELECT id FROM xq_run
  WHERE product = ? AND start_time >= ? AND start_time < ? AND verdict <> 'PASS'),
fails AS (
  SELECT m.line_key, m.parameter, count(*) AS fails
  FROM runs r JOIN xq_measurement m ON m.run_id = r.id
  WHERE m.verdict = 'Fail'
  GROUP BY m.line_key, m.parameter)
SELECT line_key, parameter, fails,
       CAST(fails AS DOUBLE PRECISION) / CAST(sum(fails) OVER () AS DOUBLE PRECISION) AS share,
       CAST(sum(fails) OVER (ORDER BY fails DESC, length(line_key), line_key, parameter
                             ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS DOUBLE PRECISION)
         / CAST(sum(fails) OVER () AS DOUBLE PRECISION) AS cumulative
FROM fails
ORDER BY fails DESC, length(line_key), line_key, parameter)";

// The lines of the product in the period; a line whose limits changed shows
// once per set of limits, as its capability differs.
constexpr const char* CapabilityLines = R"(
WITH runs AS MATERIALIZED (
  SELECT id FROM xq_run WHERE product = ? AND start_time >= ? AND start_time < ?),
lines AS (
  SELECT m.line_key AS line_key, m.parameter AS parameter, m.min AS min_text,
         m.max AS max_text, m.number AS number, m.verdict AS verdict
  FROM runs r JOIN xq_measurement m ON m.run_id = r.id),)";

// The sample standard deviation: PostgreSQL has it, in the same pass as the
// other figures; SQLite needs a second pass over the values, around the mean
// (steadier than the sum of squares).
constexpr Sql CapabilityBase = {
    R"(
base AS (
  SELECT line_key, parameter, min_text, max_text, count(number) AS n, avg(number) AS mean,
         min(number) AS lo, max(number) AS hi,
         sum(CASE WHEN verdict = 'Fail' THEN 1 ELSE 0 END) AS fails
  FROM lines
  GROUP BY line_key, parameter, min_text, max_text
  HAVING count(number) > 0),
spread AS (
  SELECT b.line_key, b.parameter, b.min_text, b.max_text,
         CASE WHEN b.n >= 2 THEN sqrt(sum((l.number - b.mean) * (l.number - b.mean)) / (b.n - 1))
         END AS sd
  FROM base b JOIN lines l
    ON l.line_key = b.line_key AND l.parameter = b.parameter
   AND l.min_text = b.min_text AND l.max_text = b.max_text
  WHERE l.number IS NOT NULL
  GROUP BY b.line_key, b.parameter, b.min_text, b.max_text, b.n),
stats AS (
  SELECT b.*, s.sd
  FROM base b JOIN spread s
    ON s.line_key = b.line_key AND s.parameter = b.parameter
   AND s.min_text = b.min_text AND s.max_text = b.max_text),)",
    R"(
stats AS (
  SELECT line_key, parameter, min_text, max_text, count(number) AS n, avg(number) AS mean,
         min(number) AS lo, max(number) AS hi,
         sum(CASE WHEN verdict = 'Fail' THEN 1 ELSE 0 END) AS fails,
         stddev_samp(number) AS sd
  FROM lines
  GROUP BY line_key, parameter, min_text, max_text
  HAVING count(number) > 0),)",
};

// A limit is a number as written, or open (empty or not a number).
constexpr Sql CapabilityLimits = {
    R"(
limits AS (
  SELECT b.*,
         CASE WHEN trim(b.min_text) <> '' AND trim(b.min_text) GLOB '*[0-9]*'
                   AND trim(b.min_text) NOT GLOB '*[^0-9.eE+-]*'
              THEN CAST(trim(b.min_text) AS REAL) END AS lsl,
         CASE WHEN trim(b.max_text) <> '' AND trim(b.max_text) GLOB '*[0-9]*'
                   AND trim(b.max_text) NOT GLOB '*[^0-9.eE+-]*'
              THEN CAST(trim(b.max_text) AS REAL) END AS usl
  FROM stats b))",
    R"(
limits AS (
  SELECT b.*,
         CASE WHEN b.min_text ~ '^\s*[-+]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][-+]?[0-9]+)?\s*$'
              THEN CAST(b.min_text AS DOUBLE PRECISION) END AS lsl,
         CASE WHEN b.max_text ~ '^\s*[-+]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][-+]?[0-9]+)?\s*$'
              THEN CAST(b.max_text AS DOUBLE PRECISION) END AS usl
  FROM stats b))",
};

// Cpk = min(USL - mean, mean - LSL) / 3s, one-sided when one limit is open,
// not defined without a spread, with fewer than two values or without limits.
constexpr const char* CapabilitySelect = R"(
SELECT line_key, parameter, n, mean, sd, lo, hi, lsl, usl, fails,
       CASE WHEN n < 2 OR sd IS NULL OR sd = 0 OR (lsl IS NULL AND usl IS NULL) THEN NULL
            WHEN lsl IS NULL THEN (usl - mean) / (3 * sd)
            WHEN usl IS NULL THEN (mean - lsl) / (3 * sd)
            WHEN usl - mean < mean - lsl THEN (usl - mean) / (3 * sd)
            ELSE (mean - lsl) / (3 * sd) END AS cpk
FROM limits
ORDER BY length(line_key), line_key, parameter, min_text, max_text)";

// Each station's values of each numeric line beside the other stations' and
// the whole fleet's: counts, means, sample standard deviations (two passes,
// about each mean) and Welch's t of the station against the others with its
// degrees of freedom. The others' figures come from the fleet's and the
// station's sums of squares about the others' mean.
constexpr const char* StationsSql = R"(
WITH v AS (
  SELECT m.line_key AS line_key, m.parameter AS parameter, r.station AS station, m.number AS x
  FROM xq_run r JOIN xq_measurement m ON m.run_id = r.id
  WHERE r.product = ? AND r.start_time >= ? AND r.start_time < ? AND m.number IS NOT NULL),
st AS (
  SELECT line_key, parameter, station, count(*) AS n, avg(x) AS mean
  FROM v GROUP BY line_key, parameter, station),
fl AS (
  SELECT line_key, parameter, count(*) AS n, avg(x) AS mean
  FROM v GROUP BY line_key, parameter),
st_sq AS (
  SELECT s.line_key, s.parameter, s.station, s.n, s.mean,
         sum((v.x - s.mean) * (v.x - s.mean)) AS sq
  FROM st s JOIN v ON v.line_key = s.line_key AND v.parameter = s.parameter
                  AND v.station = s.station
  GROUP BY s.line_key, s.parameter, s.station, s.n, s.mean),
fl_sq AS (
  SELECT f.line_key, f.parameter, f.n, f.mean, sum((v.x - f.mean) * (v.x - f.mean)) AS sq
  FROM fl f JOIN v ON v.line_key = f.line_key AND v.parameter = f.parameter
  GROUP BY f.line_key, f.parameter, f.n, f.mean),
both_sides AS (
  SELECT s.line_key, s.parameter, s.station, s.n, s.mean, s.sq, f.n AS fleet_n,
         f.mean AS fleet_mean, f.sq AS fleet_sq, f.n - s.n AS other_n,
         CASE WHEN f.n > s.n
              THEN (f.n * f.mean - s.n * s.mean) / CAST(f.n - s.n AS DOUBLE PRECISION) END
           AS other_mean
  FROM st_sq s JOIN fl_sq f ON f.line_key = s.line_key AND f.parameter = s.parameter),
spreads AS (
  SELECT b.*,
         CASE WHEN n > 1 THEN sq / (n - 1) END AS var,
         CASE WHEN fleet_n > 1 THEN fleet_sq / (fleet_n - 1) END AS fleet_var,
         CASE WHEN other_n > 1
              THEN (fleet_sq + fleet_n * (fleet_mean - other_mean) * (fleet_mean - other_mean)
                    - sq - n * (mean - other_mean) * (mean - other_mean)) / (other_n - 1)
         END AS other_var
  FROM both_sides b),
welch AS (
  SELECT s.*,
         CASE WHEN var IS NOT NULL AND other_var IS NOT NULL THEN var / n + other_var / other_n
         END AS se2
  FROM spreads s)
SELECT line_key, parameter, station, n, mean, sqrt(var) AS sd, fleet_n, fleet_mean,
       sqrt(fleet_var) AS fleet_sd,
       CASE WHEN se2 > 0 THEN (mean - other_mean) / sqrt(se2) END AS t,
       CASE WHEN se2 > 0
            THEN se2 * se2 / ((var / n) * (var / n) / (n - 1)
                              + (other_var / other_n) * (other_var / other_n) / (other_n - 1))
       END AS df
FROM welch
ORDER BY length(line_key), line_key, parameter, station)";

constexpr const char* LineValuesFrom = R"(
FROM xq_run r JOIN xq_measurement m ON m.run_id = r.id
WHERE r.product = ? AND r.start_time >= ? AND r.start_time < ? AND m.line_key = ?
  AND m.number IS NOT NULL)";

// The span covers the values and the limits, so that both are drawn.
constexpr const char* HistogramSql = R"(
WITH RECURSIVE bins(bin) AS (SELECT 0 UNION ALL SELECT bin + 1 FROM bins WHERE bin + 1 < %1),
v AS (SELECT m.number AS number %2),
span AS (
  SELECT min(lo) AS lo, max(hi) AS hi
  FROM (SELECT min(number) AS lo, max(number) AS hi FROM v
        UNION ALL SELECT CAST(? AS DOUBLE PRECISION), CAST(? AS DOUBLE PRECISION)) AS ends),
binned AS (
  SELECT CASE WHEN span.hi = span.lo THEN 0
              WHEN v.number >= span.hi THEN %1 - 1
              ELSE CAST(floor((v.number - span.lo) / (span.hi - span.lo) * %1) AS INTEGER)
         END AS bin
  FROM v CROSS JOIN span),
counts AS (SELECT bin, count(*) AS n FROM binned GROUP BY bin)
SELECT bins.bin, span.lo + (span.hi - span.lo) * bins.bin / %1 AS from_value,
       span.lo + (span.hi - span.lo) * (bins.bin + 1) / %1 AS to_value,
       coalesce(counts.n, 0) AS n
FROM bins CROSS JOIN span LEFT JOIN counts ON counts.bin = bins.bin
WHERE span.lo IS NOT NULL
ORDER BY bins.bin)";

constexpr const char* LineValuesSql = R"(
SELECT start_time, serial_number, number FROM (
  SELECT r.start_time AS start_time, r.id AS id, r.serial_number AS serial_number,
         m.number AS number %1
  ORDER BY r.start_time DESC, r.id DESC
  LIMIT %2) AS latest
ORDER BY start_time, id)";

constexpr const char* UnitSql = R"(
SELECT r.id, r.start_time, r.station, r.operator, r.verdict, r.instruments,
       m.line_key, m.parameter, m.value_text, m.min, m.max, m.unit
FROM xq_run r LEFT JOIN xq_measurement m ON m.run_id = r.id AND m.verdict = 'Fail'
WHERE r.serial_number = ?
ORDER BY r.start_time, r.id, length(m.line_key), m.line_key)";

const char* pick(const Sql& sql, Dialect dialect) {
    return dialect == Dialect::Sqlite ? sql.sqlite : sql.postgres;
}

// The first instant of a day and of the day after the period, as each
// database compares start_time.
QVariant dayStart(const QDate& day, Dialect dialect) {
    const QDateTime start(day, QTime(0, 0), Qt::UTC);
    if (dialect == Dialect::Sqlite)
        return start.toString(Qt::ISODate);
    return start;
}

QVariantList periodValues(const Period& period, Dialect dialect) {
    return {dayStart(period.from, dialect), dayStart(period.to.addDays(1), dialect)};
}

QVariant optionalNumber(std::optional<double> value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

bool run(QSqlQuery& query, const QString& sql, const QVariantList& values, QString* error) {
    query.setForwardOnly(true);
    if (values.isEmpty()) {
        if (query.exec(sql))
            return true;
    } else if (query.prepare(sql)) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (query.exec())
            return true;
    }
    if (error)
        *error = query.lastError().text();
    return false;
}

// A time as UTC ISO text, whichever way the database gave it.
QVariant timeText(const QVariant& value) {
    if (value.isNull())
        return QVariant(QMetaType::fromType<QString>());
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toUTC().toString(Qt::ISODate);
    return value.toString();
}

QVariant cell(const QVariant& value, ColumnKind kind) {
    if (value.isNull())
        return QVariant();
    switch (kind) {
    case ColumnKind::Integer:
        return value.toLongLong();
    case ColumnKind::Fraction:
    case ColumnKind::Number:
        return value.toDouble();
    case ColumnKind::Time:
        return timeText(value);
    case ColumnKind::Text:
    case ColumnKind::List:
        break;
    }
    return value.toString();
}

// The statement with its values written in, as the database's driver writes
// them: PostgreSQL cannot prepare an EXPLAIN. Only marks outside quotes are
// placeholders.
QString withValuesWritten(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QString out;
    bool quoted = false;
    qsizetype next = 0;
    for (const QChar c : sql) {
        if (c == u'\'')
            quoted = !quoted;
        if (c == u'?' && !quoted && next < values.size()) {
            QSqlField field(QString(), values[next].metaType());
            field.setValue(values[next++]);
            out += db.driver()->formatValue(field);
        } else {
            out += c;
        }
    }
    return out;
}

bool fill(QSqlDatabase& db, const QString& sql, const QVariantList& values, Table& table,
          QString* error) {
    QSqlQuery query(db);
    table.rows.clear();
    if (explainQueries()) {
        if (!run(query,
                 QStringLiteral("EXPLAIN (ANALYZE, BUFFERS) ") + withValuesWritten(db, sql, values),
                 {}, error))
            return false;
        while (query.next())
            table.rows << QVariantList{query.value(0).toString()};
        return true;
    }
    if (!run(query, sql, values, error))
        return false;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < table.columns.size(); ++i)
            row << cell(query.value(i), table.columns[i].kind);
        table.rows << row;
    }
    return true;
}

QString lineValuesFrom() {
    return QString::fromLatin1(LineValuesFrom);
}

QJsonArray instrumentsOf(const QString& text) {
    return QJsonDocument::fromJson(text.toUtf8()).array();
}

} // namespace

bool& explainQueries() {
    static bool explain = false;
    return explain;
}

bool fillTable(QSqlDatabase& db, const QString& sql, const QVariantList& values, Table& table,
               QString* error) {
    return fill(db, sql, values, table, error);
}

namespace {

QList<Column> yieldColumns() {
    return {
        {QStringLiteral("product"), QStringLiteral("Product"), ColumnKind::Text},
        {QStringLiteral("station"), QStringLiteral("Station"), ColumnKind::Text},
        {QStringLiteral("runs"), QStringLiteral("Runs"), ColumnKind::Integer},
        {QStringLiteral("units"), QStringLiteral("Units"), ColumnKind::Integer},
        {QStringLiteral("firstPassYield"), QStringLiteral("First-pass yield"),
         ColumnKind::Fraction},
        {QStringLiteral("finalYield"), QStringLiteral("Final yield"), ColumnKind::Fraction},
        {QStringLiteral("aborted"), QStringLiteral("Aborted"), ColumnKind::Integer},
        {QStringLiteral("untested"), QStringLiteral("With untested lines"), ColumnKind::Integer}};
}

QList<Column> trendColumns() {
    return {{QStringLiteral("day"), QStringLiteral("Day"), ColumnKind::Text},
            {QStringLiteral("units"), QStringLiteral("New units"), ColumnKind::Integer},
            {QStringLiteral("firstPassYield"), QStringLiteral("First-pass yield"),
             ColumnKind::Fraction}};
}

QVariantList picked(const QVariantList& row, std::initializer_list<int> columns) {
    QVariantList out;
    for (const int column : columns)
        out << row.value(column);
    return out;
}

} // namespace

bool queryOverview(QSqlDatabase& db, const Period& period, Table& yield, Table& trend,
                   QString* error) {
    Table both;
    both.columns = {{QStringLiteral("figure"), QString(), ColumnKind::Text},
                    {QStringLiteral("product"), QString(), ColumnKind::Text},
                    {QStringLiteral("station"), QString(), ColumnKind::Text},
                    {QStringLiteral("day"), QString(), ColumnKind::Text},
                    {QStringLiteral("runs"), QString(), ColumnKind::Integer},
                    {QStringLiteral("units"), QString(), ColumnKind::Integer},
                    {QStringLiteral("firstPassYield"), QString(), ColumnKind::Fraction},
                    {QStringLiteral("finalYield"), QString(), ColumnKind::Fraction},
                    {QStringLiteral("aborted"), QString(), ColumnKind::Integer},
                    {QStringLiteral("untested"), QString(), ColumnKind::Integer}};
    const Dialect dialect = dialectOf(db);
    yield = {yieldColumns(), {}};
    trend = {trendColumns(), {}};
    if (!fill(db, QLatin1String(UnitsSql) + QLatin1String(pick(OverviewSelect, dialect)),
              periodValues(period, dialect), both, error))
        return false;
    if (explainQueries()) {
        yield.rows = both.rows;
        return true;
    }
    Table newUnits{{{QStringLiteral("day"), QString(), ColumnKind::Text},
                    {QStringLiteral("units"), QString(), ColumnKind::Integer}},
                   {}};
    if (!fill(db, QLatin1String(pick(NewUnitsSql, dialect)), periodValues(period, dialect),
              newUnits, error))
        return false;
    QHash<QString, QVariant> newOnDay;
    for (const QVariantList& row : std::as_const(newUnits.rows))
        newOnDay.insert(row.value(0).toString(), row.value(1));
    for (const QVariantList& row : std::as_const(both.rows)) {
        if (row.value(0).toString() == QLatin1String("yield")) {
            yield.rows << picked(row, {1, 2, 4, 5, 6, 7, 8, 9});
        } else {
            QVariantList day = picked(row, {3, 5, 6});
            day[1] = newOnDay.value(day[0].toString(), 0);
            trend.rows << day;
        }
    }
    return true;
}

bool queryYield(QSqlDatabase& db, const Period& period, Table& table, QString* error) {
    Table trend;
    return queryOverview(db, period, table, trend, error);
}

bool queryTrend(QSqlDatabase& db, const Period& period, Table& table, QString* error) {
    Table yield;
    return queryOverview(db, period, yield, table, error);
}

bool queryLastRuns(QSqlDatabase& db, int count, Table& table, QString* error) {
    table.columns = {
        {QStringLiteral("start"), QStringLiteral("Start (UTC)"), ColumnKind::Time},
        {QStringLiteral("station"), QStringLiteral("Station"), ColumnKind::Text},
        {QStringLiteral("product"), QStringLiteral("Product"), ColumnKind::Text},
        {QStringLiteral("serialNumber"), QStringLiteral("Serial number"), ColumnKind::Text},
        {QStringLiteral("operator"), QStringLiteral("Operator"), ColumnKind::Text},
        {QStringLiteral("verdict"), QStringLiteral("Verdict"), ColumnKind::Text},
        {QStringLiteral("aborted"), QStringLiteral("Aborted"), ColumnKind::Integer}};
    return fill(db, QString::fromLatin1(LastRunsSql), {count}, table, error);
}

bool queryPareto(QSqlDatabase& db, const QString& product, const Period& period, Table& table,
                 QString* error) {
    table.columns = {
        {QStringLiteral("key"), QStringLiteral("Line"), ColumnKind::Text},
        {QStringLiteral("parameter"), QStringLiteral("Parameter"), ColumnKind::Text},
        {QStringLiteral("fails"), QStringLiteral("Fails"), ColumnKind::Integer},
        {QStringLiteral("share"), QStringLiteral("Share"), ColumnKind::Fraction},
        {QStringLiteral("cumulative"), QStringLiteral("Cumulative"), ColumnKind::Fraction}};
    return fill(db, QString::fromLatin1(ParetoSql),
                QVariantList{product} + periodValues(period, dialectOf(db)), table, error);
}

bool queryCapability(QSqlDatabase& db, const QString& product, const Period& period, Table& table,
                     QString* error) {
    table.columns = {{QStringLiteral("key"), QStringLiteral("Line"), ColumnKind::Text},
                     {QStringLiteral("parameter"), QStringLiteral("Parameter"), ColumnKind::Text},
                     {QStringLiteral("n"), QStringLiteral("n"), ColumnKind::Integer},
                     {QStringLiteral("mean"), QStringLiteral("Mean"), ColumnKind::Number},
                     {QStringLiteral("stddev"), QStringLiteral("Std. dev."), ColumnKind::Number},
                     {QStringLiteral("min"), QStringLiteral("Min"), ColumnKind::Number},
                     {QStringLiteral("max"), QStringLiteral("Max"), ColumnKind::Number},
                     {QStringLiteral("lsl"), QStringLiteral("LSL"), ColumnKind::Number},
                     {QStringLiteral("usl"), QStringLiteral("USL"), ColumnKind::Number},
                     {QStringLiteral("fails"), QStringLiteral("Fails"), ColumnKind::Integer},
                     {QStringLiteral("cpk"), QStringLiteral("Cpk"), ColumnKind::Number, CpkGoal}};
    const Dialect dialect = dialectOf(db);
    const QString sql =
        QLatin1String(CapabilityLines) + QLatin1String(pick(CapabilityBase, dialect)) +
        QLatin1String(pick(CapabilityLimits, dialect)) + QLatin1String(CapabilitySelect);
    return fill(db, sql, QVariantList{product} + periodValues(period, dialect), table, error);
}

bool queryStations(QSqlDatabase& db, const QString& product, const Period& period, Table& table,
                   QString* error) {
    table.columns = {
        {QStringLiteral("key"), QStringLiteral("Line"), ColumnKind::Text},
        {QStringLiteral("parameter"), QStringLiteral("Parameter"), ColumnKind::Text},
        {QStringLiteral("station"), QStringLiteral("Station"), ColumnKind::Text},
        {QStringLiteral("n"), QStringLiteral("n"), ColumnKind::Integer},
        {QStringLiteral("mean"), QStringLiteral("Mean"), ColumnKind::Number},
        {QStringLiteral("stddev"), QStringLiteral("Std. dev."), ColumnKind::Number},
        {QStringLiteral("fleetN"), QStringLiteral("Fleet n"), ColumnKind::Integer},
        {QStringLiteral("fleetMean"), QStringLiteral("Fleet mean"), ColumnKind::Number},
        {QStringLiteral("fleetStddev"), QStringLiteral("Fleet std. dev."), ColumnKind::Number},
        {QStringLiteral("t"), QStringLiteral("Welch t"), ColumnKind::Number},
        {QStringLiteral("df"), QStringLiteral("df"), ColumnKind::Number},
        {QStringLiteral("p"), QStringLiteral("p"), ColumnKind::Number, StationDifferenceLevel},
        {QStringLiteral("differs"), QStringLiteral("Differs"), ColumnKind::Text}};
    const Dialect dialect = dialectOf(db);
    Table figures;
    figures.columns = table.columns.mid(0, 11);
    if (!fill(db, QString::fromLatin1(StationsSql),
              QVariantList{product} + periodValues(period, dialect), figures, error))
        return false;
    if (explainQueries()) {
        table.rows = figures.rows;
        return true;
    }
    for (QVariantList row : std::as_const(figures.rows)) {
        const QVariant t = row.value(9);
        const QVariant df = row.value(10);
        QVariant p(QMetaType::fromType<double>());
        if (!t.isNull() && !df.isNull())
            p = twoSidedPValue(t.toDouble(), df.toDouble());
        const bool differs = !p.isNull() && p.toDouble() < StationDifferenceLevel;
        row << p << (differs ? QStringLiteral("yes") : QString());
        table.rows << row;
    }
    return true;
}

bool queryHistogram(QSqlDatabase& db, const QString& product, const QString& key,
                    const Period& period, std::optional<double> lsl, std::optional<double> usl,
                    Table& table, QString* error) {
    table.columns = {{QStringLiteral("bin"), QStringLiteral("Bin"), ColumnKind::Integer},
                     {QStringLiteral("from"), QStringLiteral("From"), ColumnKind::Number},
                     {QStringLiteral("to"), QStringLiteral("To"), ColumnKind::Number},
                     {QStringLiteral("count"), QStringLiteral("Values"), ColumnKind::Integer}};
    const QString sql =
        QString::fromLatin1(HistogramSql).arg(QString::number(HistogramBins), lineValuesFrom());
    return fill(db, sql,
                QVariantList{product} + periodValues(period, dialectOf(db)) +
                    QVariantList{key, optionalNumber(lsl), optionalNumber(usl)},
                table, error);
}

bool queryLineValues(QSqlDatabase& db, const QString& product, const QString& key,
                     const Period& period, Table& table, QString* error) {
    table.columns = {
        {QStringLiteral("time"), QStringLiteral("Start (UTC)"), ColumnKind::Time},
        {QStringLiteral("serialNumber"), QStringLiteral("Serial number"), ColumnKind::Text},
        {QStringLiteral("value"), QStringLiteral("Value"), ColumnKind::Number}};
    const QString sql =
        QString::fromLatin1(LineValuesSql).arg(lineValuesFrom(), QString::number(LineValuesShown));
    return fill(db, sql,
                QVariantList{product} + periodValues(period, dialectOf(db)) + QVariantList{key},
                table, error);
}

bool queryUnit(QSqlDatabase& db, const QString& serial, Table& table, QString* error) {
    table.columns = {
        {QStringLiteral("start"), QStringLiteral("Start (UTC)"), ColumnKind::Time},
        {QStringLiteral("station"), QStringLiteral("Station"), ColumnKind::Text},
        {QStringLiteral("operator"), QStringLiteral("Operator"), ColumnKind::Text},
        {QStringLiteral("verdict"), QStringLiteral("Verdict"), ColumnKind::Text},
        {QStringLiteral("failedLines"), QStringLiteral("Failed lines"), ColumnKind::List},
        {QStringLiteral("instruments"), QStringLiteral("Instruments"), ColumnKind::List}};
    QSqlQuery query(db);
    if (!run(query, QString::fromLatin1(UnitSql), {serial}, error))
        return false;
    // One row per failed line of a run (or one for a run without fails):
    // gathered into one row per run, in the order the database gave.
    table.rows.clear();
    qint64 runId = -1;
    QJsonArray failed;
    while (query.next()) {
        if (query.value(0).toLongLong() != runId) {
            if (runId >= 0)
                table.rows.last()[4] = QVariant(failed);
            runId = query.value(0).toLongLong();
            failed = {};
            table.rows << QVariantList{
                timeText(query.value(1)),  query.value(2).toString(),
                query.value(3).toString(), query.value(4).toString(),
                QVariant(QJsonArray()),    QVariant(instrumentsOf(query.value(5).toString()))};
        }
        if (!query.value(6).isNull())
            failed.append(QJsonObject{{QStringLiteral("key"), query.value(6).toString()},
                                      {QStringLiteral("parameter"), query.value(7).toString()},
                                      {QStringLiteral("value"), query.value(8).toString()},
                                      {QStringLiteral("min"), query.value(9).toString()},
                                      {QStringLiteral("max"), query.value(10).toString()},
                                      {QStringLiteral("unit"), query.value(11).toString()}});
    }
    if (runId >= 0)
        table.rows.last()[4] = QVariant(failed);
    return true;
}

bool productExists(QSqlDatabase& db, const QString& product, bool& exists, QString* error) {
    QSqlQuery query(db);
    if (!run(query, QStringLiteral("SELECT 1 FROM xq_run WHERE product = ? LIMIT 1"), {product},
             error))
        return false;
    exists = query.next();
    return true;
}

bool lineExists(QSqlDatabase& db, const QString& product, const QString& key, bool& exists,
                QString* error) {
    QSqlQuery query(db);
    if (!run(query,
             QStringLiteral("SELECT 1 FROM xq_run r JOIN xq_measurement m ON m.run_id = r.id "
                            "WHERE r.product = ? AND m.line_key = ? LIMIT 1"),
             {product, key}, error))
        return false;
    exists = query.next();
    return true;
}

} // namespace XQTestDev::dashboard

namespace XQTestDev::dashboard::sqlparts {

bool isPostgres(const QSqlDatabase& db) {
    return dialectOf(db) == Dialect::Postgres;
}

QVariantList periodBounds(const QSqlDatabase& db, const Period& period) {
    return periodValues(period, dialectOf(db));
}

bool fillTable(QSqlDatabase& db, const QString& sql, const QVariantList& values, Table& table,
               QString* error) {
    return fill(db, sql, values, table, error);
}

QString limitsCte(const QSqlDatabase& db) {
    return QLatin1String(pick(CapabilityLimits, dialectOf(db)));
}

} // namespace XQTestDev::dashboard::sqlparts
