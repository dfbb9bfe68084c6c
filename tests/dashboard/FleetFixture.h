#pragma once

#include "frame/RunRecord.h"
#include "output/database/RunTables.h"
#include "output/database/StationState.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QTimeZone>

#include <vector>

namespace XQTestDev::testing {

// A small fleet whose figures are worked out by hand in the tests. Each run
// has four lines: "1" Output voltage (4.75..5.25 V), "2" Ripple (open..0.05 V),
// "4" Fuse (0.5..1.5, always 1) and "10" Label (a word, no number).
struct FleetRun {
    const char* station;
    const char* product;
    const char* serial;
    int day; // days before the last day of the period (0..6), or earlier
    int hour;
    const char* verdict;
    bool aborted;
    double voltage;
    double ripple;
    bool labelFails;
};

// Product PSU5V-100 in the period:
//   ATE-01: SN-1 FAIL then PASS, SN-2 PASS, SN-3 FAIL (aborted), SN-4 PASS
//   ATE-02: SN-5 PASS, SN-6 FAIL
// Product LED-7: SN-L1 PASS on ATE-02. SN-2 also failed on ATE-01 twenty days
// earlier, outside the period: counted, its first run would be a fail.
inline const std::vector<FleetRun>& fleetRuns() {
    static const std::vector<FleetRun> runs = {
        {"ATE-01", "PSU5V-100", "SN-2", 20, 9, "FAIL", false, 5.90, 0.09, true},
        {"ATE-01", "PSU5V-100", "SN-1", 6, 8, "FAIL", false, 5.30, 0.07, true},
        {"ATE-01", "PSU5V-100", "SN-2", 6, 9, "PASS", false, 5.00, 0.02, false},
        {"ATE-01", "PSU5V-100", "SN-1", 5, 8, "PASS", false, 5.10, 0.03, false},
        {"ATE-01", "PSU5V-100", "SN-3", 5, 9, "FAIL", true, 4.70, 0.03, true},
        {"ATE-01", "PSU5V-100", "SN-4", 4, 8, "PASS", false, 4.90, 0.01, false},
        {"ATE-02", "PSU5V-100", "SN-5", 4, 9, "PASS", false, 5.00, 0.02, false},
        {"ATE-02", "PSU5V-100", "SN-6", 3, 8, "FAIL", false, 5.40, 0.06, false},
        {"ATE-02", "LED-7", "SN-L1", 0, 8, "PASS", false, 5.00, 0.02, false},
    };
    return runs;
}

inline RunRecordLine fleetLine(const char* key, const char* parameter, const char* min,
                               const char* max, const QString& value, std::optional<double> number,
                               bool fails, const QDateTime& at) {
    RunRecordLine line;
    line.key = QLatin1String(key);
    line.fieldName = QStringLiteral("F") + line.key;
    line.group = QStringLiteral("Power");
    line.parameter = QLatin1String(parameter);
    line.min = QLatin1String(min);
    line.max = QLatin1String(max);
    line.unit = QStringLiteral("V");
    line.value = value;
    line.number = number;
    line.verdict = fails ? Verdict::Fail : Verdict::Pass;
    line.measuredAt = at;
    return line;
}

inline RunRecord fleetRecord(const FleetRun& run, const QDate& lastDay,
                             const QString& serial = {}) {
    RunRecord r;
    r.station = QLatin1String(run.station);
    r.operatorId = QStringLiteral("OP01");
    r.product = QLatin1String(run.product);
    r.model = r.product + QStringLiteral("A");
    r.serialNumber = serial.isEmpty() ? QLatin1String(run.serial) : serial;
    r.testId = QStringLiteral("Production");
    r.start = QDateTime(lastDay.addDays(-run.day), QTime(run.hour, 0), QTimeZone::utc());
    r.finish = r.start.addSecs(40);
    r.verdict = unitVerdictOf(QLatin1String(run.verdict));
    r.aborted = run.aborted;
    r.instruments = {
        {QStringLiteral("GPIB0::22::INSTR"), QStringLiteral("ORVANTA,DM-3065,SN004417,1.04")}};
    const QDateTime at = r.start.addSecs(5);
    const bool voltageFails = run.voltage < 4.75 || run.voltage > 5.25;
    r.lines = {
        fleetLine("1", "Output voltage", "4.75", "5.25", QString::number(run.voltage), run.voltage,
                  voltageFails, at),
        fleetLine("2", "Ripple", "", "0.05", QString::number(run.ripple), run.ripple,
                  run.ripple > 0.05, at),
        fleetLine("4", "Fuse", "0.5", "1.5", QStringLiteral("1"), 1.0, false, at),
        fleetLine("10", "Label", "", "",
                  run.labelFails ? QStringLiteral("BAD") : QStringLiteral("OK"), std::nullopt,
                  run.labelFails, at),
    };
    return r;
}

// Writes the fleet through the library's own writer, one transaction per run
// as a station does. False with the reason in `error`.
inline bool writeFleet(QSqlDatabase& db, const QDate& lastDay, QString* error) {
    if (!ensureRunTables(db, error))
        return false;
    for (const FleetRun& run : fleetRuns()) {
        db.transaction();
        if (insertRunRecord(db, fleetRecord(run, lastDay), QStringLiteral("runs/x.json"), error) <
            0) {
            db.rollback();
            return false;
        }
        db.commit();
    }
    return true;
}

// The stations' live state as the stations wrote it, `now` being the moment
// the fleet view looks (silent after 15 minutes, a run after 60):
//   ATE-01 testing PSU5V-100 SN-7 since 10 min   -> testing since 10 min ago
//   ATE-02 idle since 4 min                      -> idle since 4 min ago
//   ATE-03 idle since 16 min                     -> silent since 16 min ago
//   ATE-04 testing LED-7 SN-L2 since 50 min      -> testing since 50 min ago
//   ATE-05 testing PSU5V-100 SN-8 since 61 min   -> silent since 61 min ago
//   ATE-06 idle since 20 min, last seen 11 min   -> idle since 20 min ago
// Each age stays minutes away from its threshold, so that a test in real
// time (the browser's) sees the same states for a few minutes.
struct LiveStation {
    const char* station;
    StationActivity activity;
    const char* product;
    const char* serial;
    int sinceMinutes;
    int lastSeenMinutes;
};

inline const std::vector<LiveStation>& liveStations() {
    static const std::vector<LiveStation> stations = {
        {"ATE-01", StationActivity::Testing, "PSU5V-100", "SN-7", 10, 10},
        {"ATE-02", StationActivity::Idle, "", "", 4, 4},
        {"ATE-03", StationActivity::Idle, "", "", 16, 16},
        {"ATE-04", StationActivity::Testing, "LED-7", "SN-L2", 50, 50},
        {"ATE-05", StationActivity::Testing, "PSU5V-100", "SN-8", 61, 61},
        {"ATE-06", StationActivity::Idle, "", "", 20, 11},
    };
    return stations;
}

inline bool writeLiveStations(QSqlDatabase& db, const QDateTime& now, QString* error) {
    for (const LiveStation& live : liveStations()) {
        const StationState state{
            QLatin1String(live.station),          live.activity,
            QLatin1String(live.product),          QLatin1String(live.serial),
            now.addSecs(-60 * live.sinceMinutes), now.addSecs(-60 * live.lastSeenMinutes)};
        if (!writeStationState(db, state, error))
            return false;
    }
    return true;
}

// A designed series for the control chart: product CTL-9 on ATE-03, one unit
// a run, its output voltage in time order as below (ripple 0.02, fuse 1).
// The first 8 (day 2 of the period) give centre 5.00, average moving range
// 0.1 and sigma 0.1 / 1.128 = 0.0886525; against those the 9th breaks rule 1,
// the 13th rule 2, the 19th rule 3 and the 25th rule 4, and the 18th, 24th
// and the others break none. The other 17 are on day 1.
inline const std::vector<double>& controlVoltages() {
    static const std::vector<double> values = {
        5.00, 5.10, 5.00, 4.90, 5.00, 5.10, 5.00, 4.90,       // the baseline
        5.30, 5.00, 4.78, 5.00, 4.80, 5.00, 5.10, 5.12, 5.00, // rule 1 at 9, rule 2 at 13
        5.11, 5.10, 5.05, 5.02, 5.04, 5.06, 5.03, 5.02};      // rule 3 at 19, rule 4 at 25
    return values;
}

inline bool storeRun(QSqlDatabase& db, const RunRecord& record, QString* error) {
    db.transaction();
    if (insertRunRecord(db, record, QStringLiteral("runs/x.json"), error) < 0) {
        db.rollback();
        return false;
    }
    return db.commit();
}

inline bool writeControlSeries(QSqlDatabase& db, const QDate& lastDay, QString* error) {
    const std::vector<double>& values = controlVoltages();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool fails = values[i] < 4.75 || values[i] > 5.25;
        const FleetRun run{"ATE-03",
                           "CTL-9",
                           "",
                           i < 8 ? 2 : 1,
                           static_cast<int>(i < 8 ? i : i - 8),
                           fails ? "FAIL" : "PASS",
                           false,
                           values[i],
                           0.02,
                           false};
        if (!storeRun(db, fleetRecord(run, lastDay, QStringLiteral("C-%1").arg(i + 1)), error))
            return false;
    }
    return true;
}

// Two units of PSU5V-100 that passed on ATE-02 in the seven days before the
// period (days 10 and 11): the first-pass yield of the product and of ATE-02
// was 100 % then.
inline bool writeWeekBefore(QSqlDatabase& db, const QDate& lastDay, QString* error) {
    for (const FleetRun& run :
         {FleetRun{"ATE-02", "PSU5V-100", "SN-P1", 11, 9, "PASS", false, 5.00, 0.02, false},
          FleetRun{"ATE-02", "PSU5V-100", "SN-P2", 10, 9, "PASS", false, 5.05, 0.02, false}}) {
        if (!storeRun(db, fleetRecord(run, lastDay), error))
            return false;
    }
    return true;
}

} // namespace XQTestDev::testing
