#include "frame/Unattended.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace XQTestDev {

namespace {

PromptHandler& installedPromptHandler() {
    static PromptHandler handler;
    return handler;
}

std::atomic<bool> interrupted{false};
std::atomic<int> headlessDriven{-1}; // -1: from the environment

// The signal handler may only write to a pipe; the event loop reads it.
struct WakePipe {
    int readEnd = -1;
    int writeEnd = -1;
    WakePipe() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
            readEnd = ends[0];
            writeEnd = ends[1];
        }
    }
};

WakePipe& wakePipe() {
    static WakePipe pipe;
    return pipe;
}
// Made before main, so that the signal handler never makes it.
[[maybe_unused]] const WakePipe& pipeAtLoad = wakePipe();

void drainWakePipe() {
    char buffer[64];
    while (::read(wakePipe().readEnd, buffer, sizeof buffer) > 0) {
    }
}

// Closes what waits for the operator with its "no" answer: the popup menus
// and every modal dialog, innermost first.
void closeWaitingWindows() {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
    QList<QPointer<QDialog>> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->isModal())
            dialogs << dialog;
    }
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (*it)
            (*it)->done(QDialog::Rejected);
    }
}

bool platformHasNoScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

bool windowsDriven() {
    const int driven = headlessDriven.load();
    if (driven >= 0)
        return driven != 0;
    return qEnvironmentVariable("XQ_HEADLESS_WINDOWS") == QLatin1String("driven");
}

} // namespace

void setPromptHandler(PromptHandler handler) {
    installedPromptHandler() = std::move(handler);
}

const PromptHandler& promptHandler() {
    return installedPromptHandler();
}

bool runsUnattended() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && platformHasNoScreen() &&
           !windowsDriven();
}

void setHeadlessWindowsDriven(bool driven) {
    headlessDriven = driven ? 1 : 0;
}

void interruptWaits() noexcept {
    interrupted = true;
    const int end = wakePipe().writeEnd;
    if (end >= 0) {
        const char wake = 'i';
        [[maybe_unused]] const ssize_t written = ::write(end, &wake, 1);
    }
}

bool waitsInterrupted() noexcept {
    return interrupted;
}

void resumeWaits() noexcept {
    interrupted = false;
}

void armInterruptions() {
    static QPointer<QSocketNotifier> notifier;
    if (notifier || !QCoreApplication::instance() || wakePipe().readEnd < 0)
        return;
    notifier = new QSocketNotifier(wakePipe().readEnd, QSocketNotifier::Read,
                                   QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        drainWakePipe();
        if (interrupted)
            closeWaitingWindows();
    });
}

void sayAnsweredUnattended(const QString& window, const QString& text, const QString& answer) {
    const QString why = interrupted ? QStringLiteral("interrupted") : QStringLiteral("no display");
    const QString line = window + QStringLiteral(" (") + why + QStringLiteral("): ") + text +
                         QStringLiteral(" -> ") + answer + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

int execUnlessUnattended(QDialog& window, const QString& what) {
    if (interrupted || runsUnattended()) {
        sayAnsweredUnattended(what, window.windowTitle(), QStringLiteral("closed"));
        return QDialog::Rejected;
    }
    armInterruptions();
    return window.exec();
}

} // namespace XQTestDev
