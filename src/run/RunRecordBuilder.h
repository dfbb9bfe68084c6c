#pragma once

#include "frame/RunRecord.h"

#include <QDateTime>
#include <QHash>

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
void noteLineMeasured(int lineNumber);
void noteRunAborted();
void finishRunRecord();

} // namespace XQTestDev
