#include "HeaderDemo.h"

#include <XQTestDev/XQMenu32.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QWidget>

using namespace XQTestDev;

namespace {

void letEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits while the library's windows and timers run; false when time ran out.
bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    for (int waited = 0; !condition(); waited += 20) {
        if (waited >= milliseconds)
            return false;
        letEventsRun(20);
    }
    return true;
}

QAbstractButton* buttonOf(const QString& windowName, const QString& buttonName) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() != windowName || !widget->isVisible())
            continue;
        if (auto* button = widget->findChild<QAbstractButton*>(buttonName);
            button && button->isVisible())
            return button;
    }
    return nullptr;
}

bool press(const QString& windowName, const QString& buttonName) {
    QAbstractButton* button = buttonOf(windowName, buttonName);
    if (!button || !button->isEnabled()) {
        report(QStringLiteral("  (auto) no %1 to press in %2").arg(buttonName, windowName));
        return false;
    }
    report(QStringLiteral("  (auto) pressing %1 \"%2\" in %3")
               .arg(buttonName, button->text(), windowName));
    button->click();
    return true;
}

// Every group window is a "frmTestMenu"; its title names the group.
bool pressGroupStart(const QString& group) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* title = widget->findChild<QLabel*>(QStringLiteral("lblTestGroup"));
        if (widget->objectName() != QLatin1String("frmTestMenu") || !widget->isVisible() ||
            !title || title->text() != group)
            continue;
        auto* start = widget->findChild<QAbstractButton*>(QStringLiteral("cmdStart"));
        report(QStringLiteral("  (auto) pressing cmdStart \"Start\" of group %1").arg(group));
        start->click();
        return true;
    }
    report(QStringLiteral("  (auto) no window of group %1 shown").arg(group));
    return false;
}

void startOneGroup(XQMenu32& menu) {
    const QString group = QStringLiteral("Power");
    const QString parameter = QStringLiteral("Reference voltage");
    bool handled = false;
    const QMetaObject::Connection measuring = QObject::connect(
        &menu, &XQMenu32::GroupTestClick, [&](const QString& product, const QString& started) {
            report(QStringLiteral("GroupTestClick(%1, %2)").arg(product, started));
            report(QStringLiteral("  %1 / %2: limits %3 to %4 %5, target %6")
                       .arg(started, parameter, menu.GetMinSpec(started, parameter).toString(),
                            menu.GetMaxSpec(started, parameter).toString(),
                            menu.GetUnit(started, parameter),
                            menu.GetTargetSpec(started, parameter).toString()));
            const bool passed = menu.SendData(started, parameter, 2.498);
            report(QStringLiteral("  %1 / %2 = 2.498 -> %3")
                       .arg(started, parameter,
                            passed ? QStringLiteral("Pass") : QStringLiteral("Fail")));
            handled = true;
        });
    if (pressGroupStart(group) && !waitFor([&] { return handled; }, 3000))
        report(QStringLiteral("  the group start did not arrive"));
    QObject::disconnect(measuring);
    menu.StopTest();
    report(
        QStringLiteral("Group run stopped; overall verdict now: %1").arg(menu.OverallPassFail()));
}

void abortOneRun(XQMenu32& menu, const DemoSession& session) {
    bool aborted = false;
    const QMetaObject::Connection abortSeen = QObject::connect(&menu, &XQMenu32::AbortClick, [&] {
        report(QStringLiteral("AbortClick: the station stops measuring"));
        aborted = true;
    });
    const QMetaObject::Connection measuring =
        QObject::connect(&menu, &XQMenu32::AllTestClick, [&](const QString& product) {
            report(QStringLiteral("AllTestClick(%1): the operator aborts this run").arg(product));
            menu.SendData(QStringLiteral("Power"), QStringLiteral("Reference voltage"),
                          QStringLiteral("TESTING"));
            session.answerNextWindow(QStringLiteral("frmGeneralInfoBox"),
                                     QStringLiteral("cmdButtonSet_2"));
            press(QStringLiteral("frmHeaderMenu"), QStringLiteral("cmdExit"));
        });
    const bool started = menu.StartAllTest();
    QObject::disconnect(measuring);
    QObject::disconnect(abortSeen);
    menu.StopTest();
    report(
        QStringLiteral("StartAllTest returned %1; run %2")
            .arg(started ? QStringLiteral("True") : QStringLiteral("False"),
                 aborted ? QStringLiteral("aborted and stopped") : QStringLiteral("not aborted")));
}

} // namespace

void pressStartTest(const DemoSession& session, const std::function<bool()>& finished) {
    if (session.automatic) {
        press(QStringLiteral("frmHeaderMenu"), QStringLiteral("cmdStartTest"));
        return;
    }
    report(QStringLiteral("Press Start Test on the header to test the unit."));
    while (!finished())
        letEventsRun(50);
}

void demonstrateGroupStartAndAbort(XQMenu32& menu, const DemoSession& session) {
    if (!session.automatic || menu.TestProduct().isEmpty())
        return;
    menu.ShowMenu();
    startOneGroup(menu);
    abortOneRun(menu, session);
}
