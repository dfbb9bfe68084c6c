#pragma once

#include "frame/DurableFile.h"
#include "frame/RunRecord.h"

#include <QString>

namespace XQTestDev {

// The record file of every finished run: written durably below runs/ of the
// results folder when the run ends. A record that cannot be written there is
// said once on standard error and the status window and held back durably in
// the held-runs folder (in memory only when that fails too); it is written to
// its place at the end of a later run, in this process or after a restart,
// before that run's own record.

// Where the record file of `record` is written.
QString runRecordFileOf(const RunRecord& record);

// The record file of the run that ended last in this process (where it is,
// or will be once written); empty before the first run ends.
QString lastRunRecordFile();

// Writes the records that wait, then this one; the result of this one.
WriteResult writeRunRecordFile(const RunRecord& record);

// Rewrites the record file of an ended run with the software version the
// station program gave its outputs, when the record had none of its own.
void giveRunRecordSoftwareVersion(const RunRecord& record, const QString& version);

// Records not yet written (tests and the bench).
int waitingRunRecords();
void forgetWaitingRunRecords();

} // namespace XQTestDev
