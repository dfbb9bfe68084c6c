#include "ui/RunNotice.h"

#include "frame/LibraryState.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <cstdio>

namespace XQTestDev {

namespace {

// The status window line that the instruments leave free; the station
// program may use it too, and its text wins.
constexpr int NoticeLine = 3;

QString& lastNotice() {
    static QString text;
    return text;
}

} // namespace

void sayRunNotice(const QString& text) {
    std::fprintf(stderr, "XQTestDev: %s\n", qPrintable(text));
    std::fflush(stderr);
    if (library().statusHide)
        return;
    StatusWindow& window = statusWindow();
    const QString shown = window.line(NoticeLine);
    if (!shown.isEmpty() && shown != lastNotice())
        return;
    lastNotice() = text;
    window.setLine(NoticeLine, text);
    window.show();
    window.bringToFrontIfShown();
}

} // namespace XQTestDev
