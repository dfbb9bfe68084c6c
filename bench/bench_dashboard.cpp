// The fleet view's answers on a generated fleet in PostgreSQL (run
// scripts/fleet-bench.sh, which makes it and runs this), each beside its
// floor: the same database counting the same rows with a bare GROUP BY.
//   overview   yield per product and station, trend per day, last 20 runs
//              floor: count(*) of the period's runs GROUP BY product, station;
//              beside it the count of the period's units (GROUP BY
//              product, station, serial_number), the grouping any yield needs
//   Pareto,    one product's lines in the period
//   capability floor: count(*) of the same lines GROUP BY line_key
//   alarms     the overview's alarms: every line's Cpk, baseline and latest
//              values, and the yields against the week before
//              floor: count(*) of the period's lines GROUP BY product, line_key
// The period is the pages' default, the last 7 days. XQ_FLEET_SCHEMA names
// the fleet's schema (default fleet); with XQ_FLEET_EXPLAIN=1 the program
// prints each query's plan as run instead of timing it.

#include "BenchMain.h"

#include "AlarmsKept.h"
#include "DashboardAlarms.h"
#include "DashboardSql.h"
#include "DatabaseLink.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace XQTestDev::dashboard;

namespace {

const QString Product = QStringLiteral("PRODUCT-1");

QString schema() {
    const QString name = qEnvironmentVariable("XQ_FLEET_SCHEMA");
    return name.isEmpty() ? QStringLiteral("fleet") : name;
}

Period lastWeek() {
    const QDate today = QDateTime::currentDateTimeUtc().date();
    return {today.addDays(-6), today};
}

QVariantList periodBounds() {
    const Period period = lastWeek();
    return {QDateTime(period.from, QTime(0, 0), Qt::UTC),
            QDateTime(period.to.addDays(1), QTime(0, 0), Qt::UTC)};
}

// The fleet's database through the dashboard's own connection (its session
// settings included), or an invalid one when there is no fleet to measure.
QSqlDatabase& fleet() {
    // Kept to the end of the process: a connection closed after Qt's own
    // teardown at exit would crash.
    static DatabaseLink* link = [] {
        DatabaseTarget target;
        target.driver = QStringLiteral("QPSQL");
        target.host = qEnvironmentVariable("XQ_PG_HOST");
        target.port = qEnvironmentVariable("XQ_PG_PORT").toInt();
        target.user = qEnvironmentVariable("XQ_PG_USER");
        target.password = qEnvironmentVariable("XQ_PG_PASSWORD");
        target.database = qEnvironmentVariable("XQ_PG_DATABASE");
        target.schema = schema();
        return new DatabaseLink(target, QStringLiteral("fleet"));
    }();
    static QSqlDatabase none;
    static QSqlDatabase* db = [] {
        if (qEnvironmentVariableIsEmpty("XQ_PG_PORT"))
            return &none;
        QSqlDatabase* open = link->acquire(nullptr);
        if (!open || !QSqlQuery(*open).exec(QStringLiteral("SELECT 1 FROM xq_run LIMIT 1")))
            return &none;
        return open;
    }();
    return *db;
}

bool noFleet(benchmark::State& state) {
    if (fleet().isOpen())
        return false;
    state.SkipWithError("no fleet: run scripts/fleet-bench.sh");
    return true;
}

// Runs a floor statement and reads every row, as the answers do.
int64_t countRows(const QString& sql, const QVariantList& values) {
    QSqlQuery query(fleet());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
    int64_t rows = 0;
    while (query.next())
        rows += query.value(0).toLongLong();
    return rows;
}

const QString OverviewFloor = QStringLiteral("SELECT count(*) FROM xq_run WHERE start_time >= ? "
                                             "AND start_time < ? GROUP BY product, station");
// The grouping of the period's runs by unit that any yield needs, for
// reference beside the overview.
const QString UnitsFloor =
    QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM xq_run WHERE start_time >= ? AND "
                   "start_time < ? GROUP BY product, station, serial_number) AS units");
const QString ProductFloor = QStringLiteral(
    "SELECT count(*) FROM xq_run r JOIN xq_measurement m ON m.run_id = r.id WHERE r.product = ? "
    "AND r.start_time >= ? AND r.start_time < ? GROUP BY m.line_key");

const QString AlarmsFloor =
    QStringLiteral("SELECT count(*) FROM xq_run r JOIN xq_measurement m ON m.run_id = r.id WHERE "
                   "r.start_time >= ? AND r.start_time < ? GROUP BY r.product, m.line_key");

void BM_Overview(benchmark::State& state) {
    if (noFleet(state))
        return;
    Table yield, trend, last;
    for (auto _ : state) {
        queryOverview(fleet(), lastWeek(), yield, trend, nullptr);
        queryLastRuns(fleet(), 20, last, nullptr);
        benchmark::DoNotOptimize(yield.rows.size());
    }
}
BENCHMARK(BM_Overview)->Unit(benchmark::kMillisecond);

void BM_OverviewFloor(benchmark::State& state) {
    if (noFleet(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(countRows(OverviewFloor, periodBounds()));
}
BENCHMARK(BM_OverviewFloor)->Unit(benchmark::kMillisecond);

void BM_OverviewUnitsFloor(benchmark::State& state) {
    if (noFleet(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(countRows(UnitsFloor, periodBounds()));
}
BENCHMARK(BM_OverviewUnitsFloor)->Unit(benchmark::kMillisecond);

void BM_Pareto(benchmark::State& state) {
    if (noFleet(state))
        return;
    Table pareto;
    for (auto _ : state) {
        queryPareto(fleet(), Product, lastWeek(), pareto, nullptr);
        benchmark::DoNotOptimize(pareto.rows.size());
    }
}
BENCHMARK(BM_Pareto)->Unit(benchmark::kMillisecond);

void BM_Capability(benchmark::State& state) {
    if (noFleet(state))
        return;
    Table capability;
    for (auto _ : state) {
        queryCapability(fleet(), Product, lastWeek(), capability, nullptr);
        benchmark::DoNotOptimize(capability.rows.size());
    }
}
BENCHMARK(BM_Capability)->Unit(benchmark::kMillisecond);

void BM_ProductFloor(benchmark::State& state) {
    if (noFleet(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(countRows(ProductFloor, QVariantList{Product} + periodBounds()));
}
BENCHMARK(BM_ProductFloor)->Unit(benchmark::kMillisecond);

void BM_Alarms(benchmark::State& state) {
    if (noFleet(state))
        return;
    Table alarms;
    for (auto _ : state) {
        queryAlarms(fleet(), lastWeek(), DefaultYieldDrop, alarms, nullptr);
        benchmark::DoNotOptimize(alarms.rows.size());
    }
}
BENCHMARK(BM_Alarms)->Unit(benchmark::kMillisecond);

// As the overview asks for them: kept while the period's runs are the same.
void BM_AlarmsKept(benchmark::State& state) {
    if (noFleet(state))
        return;
    Table alarms;
    for (auto _ : state) {
        queryAlarmsKept(fleet(), lastWeek(), DefaultYieldDrop, alarms, nullptr);
        benchmark::DoNotOptimize(alarms.rows.size());
    }
}
BENCHMARK(BM_AlarmsKept)->Unit(benchmark::kMillisecond);

void BM_AlarmsFloor(benchmark::State& state) {
    if (noFleet(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(countRows(AlarmsFloor, periodBounds()));
}
BENCHMARK(BM_AlarmsFloor)->Unit(benchmark::kMillisecond);

const bool ratios = [] {
    expectRatio("BM_Overview", "BM_OverviewFloor", 2.0);
    expectRatio("BM_Overview", "BM_OverviewUnitsFloor", 2.0);
    expectRatio("BM_Pareto", "BM_ProductFloor", 2.0);
    expectRatio("BM_Capability", "BM_ProductFloor", 2.0);
    expectRatio("BM_Alarms", "BM_AlarmsFloor", 2.0);
    expectRatio("BM_AlarmsKept", "BM_AlarmsFloor", 2.0);
    return true;
}();

void printPlan(const char* title, const Table& table) {
    std::printf("== %s\n", title);
    for (const QVariantList& row : table.rows)
        std::printf("%s\n", qPrintable(row.value(0).toString()));
}

void printFloorPlan(const char* title, QString sql, const QVariantList& values) {
    for (const QVariant& value : values) {
        QSqlField field(QString(), value.metaType());
        field.setValue(value);
        sql.replace(sql.indexOf(u'?'), 1, fleet().driver()->formatValue(field));
    }
    QSqlQuery query(fleet());
    query.exec(QStringLiteral("EXPLAIN (ANALYZE, BUFFERS) ") + sql);
    std::printf("== %s\n", title);
    while (query.next())
        std::printf("%s\n", qPrintable(query.value(0).toString()));
}

// XQ_FLEET_EXPLAIN=1: the plans, once, instead of the timings.
const bool explained = [] {
    if (qEnvironmentVariable("XQ_FLEET_EXPLAIN") != QLatin1String("1") || !fleet().isOpen())
        return false;
    explainQueries() = true;
    Table table;
    Table trend;
    queryOverview(fleet(), lastWeek(), table, trend, nullptr);
    printPlan("overview: yield and trend", table);
    queryLastRuns(fleet(), 20, table, nullptr);
    printPlan("overview: last runs", table);
    printFloorPlan("overview floor", OverviewFloor, periodBounds());
    printFloorPlan("overview floor by unit", UnitsFloor, periodBounds());
    queryPareto(fleet(), Product, lastWeek(), table, nullptr);
    printPlan("Pareto", table);
    queryCapability(fleet(), Product, lastWeek(), table, nullptr);
    printPlan("capability", table);
    printFloorPlan("product floor", ProductFloor, QVariantList{Product} + periodBounds());
    queryAlarms(fleet(), lastWeek(), DefaultYieldDrop, table, nullptr);
    printPlan("alarms", table);
    printFloorPlan("alarms floor", AlarmsFloor, periodBounds());
    std::fflush(stdout);
    std::_Exit(0);
}();

} // namespace
