#pragma once

#include "frame/RunRecord.h"

#include <QString>

namespace XQTestDev {

struct RunInputs;

// The run that a database write stores in the run tables, with its record
// file: the run's record (`stored`, as the run gave it to the outputs) under
// the software version of the write and with its lines in number order. Only
// a run that ended through the menu has a record file.
struct RunOfWrite {
    RunRecord record;
    QString recordFile;
};
RunOfWrite runRecordOfWrite(const RunRecord& stored, const RunInputs& in);

// A run and its record file as a backup file beside a saved statement holds
// them, and read back.
QByteArray runOfWriteBytes(const RunOfWrite& run);
bool readRunOfWrite(const QByteArray& bytes, RunOfWrite& run);

} // namespace XQTestDev
