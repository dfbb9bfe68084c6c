#pragma once

#include "config/DurableFile.h"

#include <QList>
#include <QPointer>
#include <QString>

namespace XQTestDev {

class GroupWindow;

// The row that shows a result: in the first window titled exactly `group`, the
// first row whose parameter is exactly `parameter` (rows end at the first empty
// parameter).
struct ResultRow {
    GroupWindow* window = nullptr;
    int row = -1;
    explicit operator bool() const { return window != nullptr; }
};
ResultRow findResultRow(const QList<QPointer<GroupWindow>>& windows, const QString& group,
                        const QString& parameter);

// Writes `value` under the line of the current product that defines this group
// and parameter (names and value trimmed). `lineFound` is false when no line
// matches before the end of the list; nothing is written then.
struct Recording {
    bool lineFound = false;
    WriteResult write;
};
Recording recordResult(const QString& group, const QString& parameter, const QString& value);

} // namespace XQTestDev
