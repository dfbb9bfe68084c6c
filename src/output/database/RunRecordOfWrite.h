#pragma once

#include "frame/RunRecord.h"

#include <QString>

namespace XQTestDev {

struct RunInputs;

// The run that a database write stores in the run tables, with its record
// file: the run that ended last, when it is the run of the results file
// (same product, serial number and start time); otherwise the run as far as
// the results file and the product's lines tell it (`stored`: a run ended
// without the header, e.g. after group tests), which has no record file.
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
