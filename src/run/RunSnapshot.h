#pragma once

#include "run/RunData.h"

#include <QDateTime>
#include <QString>

namespace XQTestDev {

// What one XQMenu32 object remembers of its last accepted user entry; the
// run data themselves are library-wide and move on with other objects.
struct RunSnapshot {
    QString operatorId;
    QString serialNumber;
    QString workOrder;
    QString testId;
    QString model;
    QString revision;
    QString product;
    QDateTime startTime; // null (the zero date) before the first entry

    static RunSnapshot of(const RunData& run) {
        return {run.operatorId, run.serialNumber, run.workOrder, run.testId,
                run.model,      run.revision,     run.product,   run.startTime};
    }
};

} // namespace XQTestDev
