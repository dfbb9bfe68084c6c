#pragma once

#include <QDateTime>
#include <QString>

#include <array>

namespace XQTestDev {

// The data of the next or current run, one set for the whole library: the user
// entry fills it, the results file's run header and the header window show it.
struct RunData {
    QString product; // empty: no product chosen yet
    QString model;
    QString revision;
    QString testId;
    QString operatorId;
    QString serialNumber;
    QString workOrder;
    std::array<QString, 4> remarks;
    QString ateId;
    QDateTime startTime; // null until the first accepted entry or run start
    bool entryCancelled = false;
};

} // namespace XQTestDev
