#pragma once

#include <QString>

namespace XQTestDev {

// Lines per page from ReportLinePerPage: a numeric value below 50 gives 50,
// any other numeric value is rounded half to even and less 2 (room for the
// blank line and the page footer); empty or not a number gives 65.
int linesPerPage(const QString& setting);

// The lines printed on the current page and the page's number. The count takes
// in every printed line of the page, header lines too.
struct PageCount {
    int lines = 0;
    int page = 1;

    // Full once the count reaches the limit or has passed it: a group heading
    // adds two lines, and may step over the limit rather than land on it.
    bool isFull(int limit) const { return lines >= limit; }
};

} // namespace XQTestDev
