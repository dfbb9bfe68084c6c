#pragma once

#include "frame/RunRecord.h"

#include <QDateTime>
#include <QHash>

#include <optional>

namespace XQTestDev {

class RunModel;

// What only the start of a run can tell: the configuration as it stood then,
// and the times at which the run's lines were measured.
struct RunRecordStart {
    RunRecordConfigFile ateIni;
    RunRecordConfigFile productsIni;
    QHash<int, QDateTime> measuredAt; // by line number
};

// The record of the run in `model` ending at `finish`: its data, every line
// of the product (those of the menu in menu order, then the others in
// number order) with what the results file holds for it, and the instruments
// used since the run started.
RunRecord buildRunRecord(const RunModel& model, const RunRecordStart& start, bool aborted,
                         const QDateTime& finish);

// The run's side of the record, called by XQMenu32: a run started from the
// header (Start Test, StartAllTest), each recorded result, an abort, and the
// end (StopTest, or the abort once the station program's handler returned).
// A run ends once: the first end hands its record to the outputs.
void beginRunRecord();

// The record handed to the outputs when the last run ended, until the next
// run starts: what the station program's WriteDatabase and PrintReport store
// and print after StopTest.
const std::optional<RunRecord>& finishedRunRecord();
void keepFinishedRunRecord(const RunRecord& record);
void forgetFinishedRunRecord();

// The run as it stands in memory, not ended: for outputs asked for while the
// results file cannot be trusted with this unit's data.
RunRecord recordOfRunNow(const RunModel& model);
void noteLineMeasured(int lineNumber);
void noteRunAborted();
void finishRunRecord();

} // namespace XQTestDev
