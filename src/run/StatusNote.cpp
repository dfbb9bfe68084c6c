#include "run/StatusNote.h"

#include "frame/LibraryState.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <cstdio>

namespace XQTestDev {

namespace {

// The status window line that the instruments leave free.
constexpr int NoteLine = 3;

} // namespace

void noteOnStatusWindow(const QString& text) {
    std::fprintf(stderr, "XQTestDev: %s\n", qPrintable(text));
    std::fflush(stderr);
    if (library().statusHide)
        return;
    StatusWindow& window = statusWindow();
    window.setLine(NoteLine, text);
    window.show();
    window.bringToFrontIfShown();
}

QString tooManyRowsNote(const QString& group, const QString& product, int rowLimit) {
    return QStringLiteral(
               "Group \"%1\" of product \"%2\" has more than %3 test lines: "
               "its window shows the first %3 and stays hidden until its page is turned to")
        .arg(group, product)
        .arg(rowLimit);
}

} // namespace XQTestDev
