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

    // A page is full only when the count is exactly the limit: a group heading
    // that takes the count from one below the limit to one above it is never
    // caught, and that report has no further page break.
    bool isFull(int limit) const { return lines == limit; }
};

} // namespace XQTestDev
