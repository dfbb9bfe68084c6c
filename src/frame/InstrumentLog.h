#pragma once

#include "frame/RunRecord.h"

#include <QString>

#include <vector>

namespace XQTestDev {

// Which instruments took part in a run. The instrument code notes every
// instrument it opens, identifies or reads; the run starts a fresh list when
// it starts and takes the list when it ends, so an instrument counts for a
// run when it was used between the two. The list holds each instrument once,
// in the order of first use, and only as many entries as there are
// instruments, however long the process runs.

// `idn` may be empty for a read: the instrument's identification noted
// earlier in the process is kept.
void noteInstrumentUsed(const QString& resource, const QString& idn = {});

void startInstrumentLog();
std::vector<RunRecordInstrument> instrumentsUsedSinceStart();

} // namespace XQTestDev
