#pragma once

#include "frame/RunRecord.h"

#include <QDateTime>
#include <QTimeZone>

namespace XQTestDev::testing {

// A finished run as the run hands it to the outputs: `lines` test lines in
// menu order, every seventh one untested, every eleventh a word rather than a
// number, the third without limits; one multimeter that took the readings.
inline RunRecord sampleRunRecord(int lines = 498,
                                 const QString& serial = QStringLiteral("SN-2026-0001")) {
    const QDateTime start(QDate(2026, 12, 10), QTime(16, 27, 52), QTimeZone(3600));
    RunRecord r;
    r.station = QStringLiteral("ATE-PSU-01");
    r.operatorId = QStringLiteral("OP01");
    r.product = QStringLiteral("PSU5V-100");
    r.model = QStringLiteral("PSU5V-100A");
    r.revision = QStringLiteral("C");
    r.serialNumber = serial;
    r.workOrder = QStringLiteral("WO-4410");
    r.testId = QStringLiteral("Production");
    r.start = start;
    r.finish = start.addSecs(61);
    r.verdict = Verdict::Fail;
    r.softwareVersion = QStringLiteral("Demo 1.0");
    r.libraryVersion = QStringLiteral("1.0.2");
    r.ateIni = {QStringLiteral("ATE-2026.12"), QStringLiteral("9f1c0a77"), true};
    r.productsIni = {QStringLiteral("PSU-2026.11"), QStringLiteral("51de22b0"), true};
    r.instruments = {
        {QStringLiteral("GPIB0::22::INSTR"), QStringLiteral("ORVANTA,DM-3065,SN004417,1.04")}};
    for (int i = 1; i <= lines; ++i) {
        RunRecordLine line;
        line.key = QString::number(i);
        line.fieldName = QStringLiteral("F%1").arg(i);
        line.group = QStringLiteral("Group %1").arg((i - 1) / 15 + 1);
        line.parameter = QStringLiteral("Parameter %1").arg(i);
        if (i != 3) {
            line.min = QStringLiteral("4.75");
            line.max = QStringLiteral("5.25");
        }
        line.unit = QStringLiteral("V");
        if (i % 7 == 0) {
            ++r.untested;
        } else if (i % 11 == 0) {
            line.value = QStringLiteral("PASS");
            line.verdict = Verdict::Pass;
            line.measuredAt = start.addSecs(i / 10);
        } else {
            const double value = i == 5 ? 5.4 : 5.0 + (i % 5) * 0.01;
            line.value = QString::number(value);
            line.number = value;
            line.verdict = value > 5.25 ? Verdict::Fail : Verdict::Pass;
            line.measuredAt = start.addSecs(i / 10);
        }
        r.lines.push_back(line);
    }
    return r;
}

} // namespace XQTestDev::testing
