#pragma once

#include <QList>

namespace XQTestDev {

class RunModel;

// Pages of group windows (0-based) that hold at least one failed line, so
// that an operator finds a failure without turning every page.
QList<int> pagesWithFailures(const RunModel& model);

// The first page that holds a failed line; -1 when no line failed.
int firstFailedPage(const RunModel& model);

// Whether failed lines wait before or after the shown page.
struct PageFailHints {
    bool before = false;
    bool after = false;
};
PageFailHints pageFailHints(const RunModel& model, int shownPage);

} // namespace XQTestDev
