#pragma once

#include "frame/RunIdentity.h"

#include <QDateTime>
#include <QString>

namespace XQTestDev {

// The data of the next or current run, one set for the whole library: the user
// entry fills it, the results file's run header and the header window show it.
struct RunData : RunIdentity {
    QString ateId;
    QDateTime startTime; // null until the first accepted entry or run start
    bool entryCancelled = false;
};

} // namespace XQTestDev
