#pragma once

#include <QString>

#include <array>

namespace XQTestDev {

// Who tested which unit: the fields the user entry fills, the results file's
// run header holds, and every output of the run prints or stores. One set,
// shared by the run's data and its record, so that no output copies them
// field by field.
struct RunIdentity {
    QString operatorId;
    QString product; // empty: no product chosen yet
    QString model;
    QString revision;
    QString serialNumber;
    QString workOrder;
    QString testId;
    std::array<QString, 4> remarks;
};

} // namespace XQTestDev
