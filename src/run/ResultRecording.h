#pragma once

#include "frame/DurableFile.h"

#include <QString>

namespace XQTestDev {

// Writes `value` under the line of the current product that defines this group
// and parameter (names and value trimmed). `lineFound` is false when no line
// matches before the end of the list; nothing is written then.
struct Recording {
    bool lineFound = false;
    WriteResult write;
};
Recording recordResult(const QString& group, const QString& parameter, const QString& value);

} // namespace XQTestDev
