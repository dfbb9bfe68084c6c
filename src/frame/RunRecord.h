#pragma once

#include "frame/RunIdentity.h"
#include "frame/Verdict.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace XQTestDev {

// One test line of a finished run, in menu order, with its limits as written
// in the product's line and what was recorded for it.
struct RunRecordLine {
    QString key;       // the line's number in the product's spec section ("1", "2"...)
    QString fieldName; // database column: the line's first field
    QString group;
    QString parameter;
    QString min; // as written; empty when open
    QString max;
    QString unit;
    QString value;                       // as recorded; empty when the line has no result
    std::optional<double> number;        // the value read as a number; empty when it is none
    Verdict verdict = Verdict::Untested; // Pass, Fail, or Untested (no result)
    QDateTime measuredAt;                // when the value was recorded; null when untested
    QString recorded; // the results file's text for the line ("1.234|Pass"), as stored
};

// The run's keys of the results file as they stand there, for the outputs
// whose formats print or store them verbatim (the report, the product's row).
struct RunRecordStoredText {
    QString verdict; // OverAllPassFail
    QString start;   // StartTestTime
    QString finish;  // EndTestTime
};

// One of the station's two configuration files as it stood when the run started.
struct RunRecordConfigFile {
    QString version;
    QString checksum;      // the configuration checksum the library keeps
    bool approved = false; // it matched the stored checksum at the run's start
};

// An instrument that was opened or read between the run's start and its end.
struct RunRecordInstrument {
    QString resource; // canonical resource string, e.g. "GPIB0::22::INSTR"
    QString idn;      // its identification reply
};

// Everything the outputs of one run need, built once by the run when it is
// finished or its outputs are asked for. A plain value: every output (the
// report, the database row, the record file, the run tables) renders it and
// none of them asks the run or the results file again.
struct RunRecord : RunIdentity {
    QString station; // ATE ID
    QDateTime start;
    QDateTime finish;
    Verdict verdict = Verdict::Untested; // Pass, Fail, or Untested (nothing judged)
    bool aborted = false;                // the operator aborted the run
    int untested = 0;                    // lines of the product without a result
    bool complete = true; // false when the product's lines were read without their <EOT>
    // Built by the run when it ended (StopTest or an abort): its record file
    // is written. A record read back from the results file is not.
    bool ended = false;
    RunRecordStoredText stored;
    QString softwareVersion;
    QString libraryVersion;
    RunRecordConfigFile ateIni;
    RunRecordConfigFile productsIni;
    std::vector<RunRecordInstrument> instruments;
    std::vector<RunRecordLine> lines;
};

} // namespace XQTestDev
