#pragma once

#include "frame/DurableFile.h"
#include "frame/RunRecord.h"

#include <QString>

#include <optional>

namespace XQTestDev {

// The record file of every finished run: written durably below runs/ of the
// results folder when the run ends. A record that cannot be written is said
// once on the status window and on standard error and waits in memory; it is
// written again at the end of the next run, before that run's own record.

struct FinishedRun {
    RunRecord record;
    QString recordFile; // where its record file is (or will be once written)
};

// The run ended last in this process, for the outputs the station program
// calls afterwards (the database writer); empty before the first run ends.
const std::optional<FinishedRun>& lastFinishedRun();

// Writes the records that wait, then this one; the result of this one.
WriteResult writeRunRecordFile(const RunRecord& record);

// Records not yet written (tests and the bench).
int waitingRunRecords();
void forgetWaitingRunRecords();

} // namespace XQTestDev
