#pragma once

#include "frame/RunRecord.h"

#include <QDateTime>
#include <QHash>

#include <functional>
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
// Where a line's recorded text ("5.25|Pass", "----|----") comes from: the run
// in memory, or the results file for a run that did not end through the menu.
using RecordedText = std::function<QString(int lineNumber)>;
RecordedText recordedInModel(const RunModel& model);
RecordedText recordedInResultsFile(const QString& product);

RecordLines readRecordLines(const RunModel& model, const QString& product,
                            const RecordedText& recorded, const QHash<int, QDateTime>& measuredAt);

} // namespace XQTestDev
