#pragma once

#include "frame/RunRecord.h"

#include <functional>

namespace XQTestDev {

// The run (src/run) hands its finished record to the outputs (src/output)
// through here, so neither layer includes the other. An output registers its
// handler once when the library loads; the run calls notifyRunFinished when a
// run ends (stopped or aborted). Handlers run in registration order on the
// GUI thread and never throw.
using RunFinishedHandler = std::function<void(const RunRecord&)>;

void addRunFinishedHandler(RunFinishedHandler handler);
void notifyRunFinished(const RunRecord& record);

// The start of a run, told the same way: the record holds the run's data
// (station, product, unit, start time) and no lines yet.
using RunStartedHandler = std::function<void(const RunRecord&)>;

void addRunStartedHandler(RunStartedHandler handler);
void notifyRunStarted(const RunRecord& record);

// The run as it stands, for an output the station program asks for at any
// time (WriteDatabase, PrintReport): what the results file holds for
// `product`'s run (the current run's product when empty), its texts as stored
// and every test line of the product with its recorded text, and the software
// version the header kept. The run registers how to build it when the library
// loads; without one the record is empty.
using StoredRunSource = std::function<RunRecord(const QString& product)>;

void setStoredRunSource(StoredRunSource source);
RunRecord storedRunRecord(const QString& product = {});

// The header's Print asks for the report of the stored run through here,
// with the text its verdict line shows; the report registers how to print
// when the library loads. Without one, a request prints nothing.
using ReportRequestHandler = std::function<void(const QString& verdictText)>;

void setReportRequestHandler(ReportRequestHandler handler);
void requestReport(const QString& verdictText = {});

// Where the record file of a finished run is (or will be once written), as
// the record file output names it; registered by that output when the library
// loads. Empty without one.
using RecordFileNamer = std::function<QString(const RunRecord&)>;

void setRecordFileNamer(RecordFileNamer namer);
QString recordFileOf(const RunRecord& record);

} // namespace XQTestDev
