#pragma once

#include "config/ResultsFileCodec.h"
#include "frame/DurableFile.h"
#include "run/RunData.h"

#include <QDateTime>
#include <QString>

namespace XQTestDev {

class ProductSpec;

// Empties the run header, sets OverallPassFail to "----" and every line of the
// product's list to "----|----", all in one durable write. The scan stops with
// its message at an empty line or when no end tag is found by key 499; what was
// collected up to there is written. False (with the write's error shown) when
// the file cannot be written, and when no product is chosen.
bool resetResults(const RunData& run);

// StartTestTime (the run's start time, set to now when none is set yet),
// OperatorID, SerialNumber, WorkOrderNumber, TestID, Model, Revision and
// Remark1 to Remark4, in this order, in one durable write.
bool writeRunHeader(RunData& run);

// EndTestTime := now; a failed write is said.
bool recordEndTestTime(const QString& product);

// Deleted whenever a new menu object is created: a new object starts a new unit.
void removeResultsFile();

// Shows a failed write's text, once per unit in a box and after that on
// standard error and the status window; true when it succeeded. A failure
// also marks the run's results file as not to be trusted.
bool reportWrite(const WriteResult& result);
// A run ended: the next failed write is the next unit's, and is shown.
void sayNextFailedWriteToTheOperator();

} // namespace XQTestDev
