#include "LiveStations.h"

#include "DashboardSql.h"

namespace XQTestDev::dashboard {

namespace {

bool isPostgres(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL");
}

// Seconds since each station's last sign of life: SQLite keeps times as UTC
// ISO text, which julianday() reads ("…Z" included).
constexpr const char* QuietSqlite = R"(
WITH quiet AS (
  SELECT station, state, product, serial_number, state_since, last_seen,
         (julianday(?) - julianday(last_seen)) * 86400.0 AS seconds
  FROM xq_station),)";

constexpr const char* QuietPostgres = R"(
WITH quiet AS (
  SELECT station, state, product, serial_number, state_since, last_seen,
         CAST(extract(epoch FROM (CAST(? AS TIMESTAMPTZ) - last_seen)) AS DOUBLE PRECISION)
           AS seconds
  FROM xq_station),)";

// A station never seen (no time at all) is silent too.
constexpr const char* ShownSql = R"(
shown AS (
  SELECT quiet.*,
         CASE WHEN last_seen IS NULL
                OR seconds > CASE WHEN state = 'testing' THEN CAST(? AS DOUBLE PRECISION)
                                  ELSE CAST(? AS DOUBLE PRECISION) END
              THEN 'silent' ELSE state END AS shown_state
  FROM quiet)
SELECT station, shown_state,
       CASE WHEN shown_state = 'silent' THEN last_seen ELSE state_since END AS since,
       last_seen, product, serial_number
FROM shown
ORDER BY station)";

constexpr const char* ExistsSqlite =
    "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'xq_station'";
constexpr const char* ExistsPostgres =
    "SELECT count(*) FROM pg_catalog.pg_class c WHERE c.relname = 'xq_station' AND "
    "c.relkind IN ('r', 'p', 'v') AND pg_catalog.pg_table_is_visible(c.oid)";

QVariant nowValue(const QDateTime& now, bool postgres) {
    const QDateTime utc = now.toUTC();
    if (postgres)
        return utc;
    return utc.toString(Qt::ISODateWithMs);
}

QList<Column> liveColumns() {
    return {{QStringLiteral("station"), QStringLiteral("Station"), ColumnKind::Text},
            {QStringLiteral("state"), QStringLiteral("State"), ColumnKind::Text},
            {QStringLiteral("since"), QStringLiteral("Since (UTC)"), ColumnKind::Time},
            {QStringLiteral("lastSeen"), QStringLiteral("Last seen (UTC)"), ColumnKind::Time},
            {QStringLiteral("product"), QStringLiteral("Product"), ColumnKind::Text},
            {QStringLiteral("serialNumber"), QStringLiteral("Serial number"), ColumnKind::Text}};
}

} // namespace

bool queryLiveStations(QSqlDatabase& db, const QDateTime& now, int silentMinutes, Table& table,
                       bool& missing, QString* error) {
    const bool postgres = isPostgres(db);
    table = {liveColumns(), {}};
    Table exists{{{QStringLiteral("count"), QString(), ColumnKind::Integer}}, {}};
    if (!fillTable(db, QLatin1String(postgres ? ExistsPostgres : ExistsSqlite), {}, exists, error))
        return false;
    missing = exists.rows.value(0).value(0).toLongLong() == 0;
    if (missing)
        return true;
    const double idleSeconds = silentMinutes * 60.0;
    return fillTable(
        db, QLatin1String(postgres ? QuietPostgres : QuietSqlite) + QLatin1String(ShownSql),
        {nowValue(now, postgres), idleSeconds * SilentTestingFactor, idleSeconds}, table, error);
}

} // namespace XQTestDev::dashboard
