#pragma once

#include "config/ResultsFileLayout.h"
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

// One result key of the current product's section; the write's error text is
// returned for the caller to show.
WriteResult writeResultLine(const QString& product, int lineNumber, const QString& value);

// EndTestTime := now.
bool writeEndTestTime(const QString& product);

// Deleted whenever a new menu object is created: a new object starts a new unit.
void removeResultsFile();

// Shows a failed write's text; true when it succeeded.
bool reportWrite(const WriteResult& result);

} // namespace XQTestDev
