#include "run/FailedPages.h"

#include "run/RunModel.h"

#include <algorithm>

namespace XQTestDev {

namespace {

bool groupFailed(const RunGroup& group) {
    return std::any_of(group.rows.begin(), group.rows.end(),
                       [](const RunRow& row) { return row.verdict == Verdict::Fail; });
}

} // namespace

QList<int> pagesWithFailures(const RunModel& model) {
    QList<int> pages;
    for (int group = 0; group < model.groupCount(); ++group) {
        if (!groupFailed(model.group(group)))
            continue;
        const int page = pageOfWindow(model.layout.pageTable, group);
        if (page >= 0 && !pages.contains(page))
            pages.append(page);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

int firstFailedPage(const RunModel& model) {
    const QList<int> pages = pagesWithFailures(model);
    return pages.isEmpty() ? -1 : pages.first();
}

PageFailHints pageFailHints(const RunModel& model, int shownPage) {
    PageFailHints hints;
    for (int page : pagesWithFailures(model)) {
        hints.before = hints.before || page < shownPage;
        hints.after = hints.after || page > shownPage;
    }
    return hints;
}

} // namespace XQTestDev
