#include "run/RunAbort.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include "frame/LibraryState.h"
#include "run/HeaderControl.h"
#include "run/OverallVerdict.h"
#include "run/RunRecordBuilder.h"
#include "run/RunSession.h"
#include "run/XQMenu32Private.h"

#include <QPointer>

#include <cstdio>

namespace XQTestDev {

namespace {

struct RunningMenu {
    QPointer<XQMenu32> menu;
    XQMenu32Private* d = nullptr;
};

RunningMenu& runningMenu() {
    static RunningMenu running;
    return running;
}

// The status window's top line: the one the operator reads first.
constexpr int AbortStatusLine = 0;

void sayWhyAborted(const QString& reason) {
    const QString text = QStringLiteral("Run aborted: ") + reason;
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    sharedUtility().SendStatusMessage(text, AbortStatusLine, false);
}

} // namespace

void abortRun(XQMenu32& menu, XQMenu32Private& d) {
    runModel().standing.active = false;
    noteRunAborted();
    // The unit fails before the station program hears of the abort: whatever
    // it writes or prints from AbortClick says FAIL.
    noteUnitAborted();
    settleOverallVerdict();
    d.header->showVerdict();
    const QPointer<XQMenu32> alive(&menu);
    emit menu.AbortClick();
    // The station program may not call StopTest after an abort: the run has
    // ended all the same.
    if (alive)
        finishRunRecord();
}

void noteRunStartedBy(XQMenu32& menu, XQMenu32Private& d) {
    runningMenu() = {&menu, &d};
}

bool abortRunInProgress(const QString& reason) {
    RunningMenu& running = runningMenu();
    if (!running.menu || !running.d->header || !running.d->header->runActive())
        return false;
    sayWhyAborted(reason);
    const QPointer<XQMenu32> menu = running.menu;
    abortRun(*menu, *running.d);
    // Nobody is left to press Stop: the header returns to idle, ready for
    // the next unit.
    if (menu && running.d->header->runActive())
        menu->StopTest();
    return true;
}

} // namespace XQTestDev
