#pragma once

#include "frame/RunRecord.h"

#include <QDateTime>
#include <QHash>

#include <vector>

namespace XQTestDev {

class RunModel;

// The test lines of `product` as a record holds them: those the menu shows in
// menu order (when the menu shows that product), then every other line of the
// product in number order, each with what the results file holds for it.
// `complete` tells whether the product's lines end with their <EOT>.
struct RecordLines {
    std::vector<RunRecordLine> lines;
    int untested = 0;
    bool complete = true;
};
RecordLines readRecordLines(const RunModel& model, const QString& product,
                            const QHash<int, QDateTime>& measuredAt);

} // namespace XQTestDev
