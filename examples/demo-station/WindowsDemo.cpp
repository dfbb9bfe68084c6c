#include "WindowsDemo.h"

#include <XQTestDev/XQTestDev.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

using namespace XQTestDev;

namespace {

QWidget* topLevelNamed(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name)
            return widget;
    }
    return nullptr;
}

// The status window is normally placed and shown by an instrument object
// when it starts work; this demo has no instrument, so it shows it itself.
QWidget* showStatusWindow() {
    QWidget* window = topLevelNamed(QStringLiteral("frmGeneralInfo"));
    if (window) {
        window->move(40, 40);
        window->show();
    }
    return window;
}

void reportProgress(XQUtility32& utility) {
    utility.SendStatusMessage(QStringLiteral("Final checks"), 0, true);
    const QString steps[] = {QStringLiteral("Supply current within limits"),
                             QStringLiteral("Firmware checksum verified"),
                             QStringLiteral("Results file written")};
    for (int line = 0; line < 3; ++line) {
        utility.SendStatusMessage(steps[line], line + 1);
        report(QStringLiteral("  status line %1: %2").arg(line + 1).arg(steps[line]));
        utility.Delay(0.3);
    }
    // Line 4 does not exist: the library refuses it with a message.
    utility.SendStatusMessage(QStringLiteral("no such line"), 4);
}

// What the operator does with the status window's round button: a click
// puts the window away into the cabinet.
void clickRoundButton(QWidget* statusWindow) {
    auto* button = statusWindow
                       ? statusWindow->findChild<QWidget*>(QStringLiteral("picClipControl"))
                       : nullptr;
    if (!button)
        return;
    const QPointF centre = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
}

} // namespace

void showSharedWindows(XQUtility32& utility, XQMenu32& menu, const DemoSession& session) {
    utility.setBackgroundColor(0x00402A1F); // a dark slate, 0x00BBGGRR
    utility.ShowBackground();
    report(QStringLiteral("Background shown"));

    utility.SendStatusMessage(QStringLiteral("Preparing the final checks"));
    QWidget* statusWindow = showStatusWindow();
    reportProgress(utility);

    menu.ShowCabinet();
    report(QStringLiteral("Cabinet shown"));
    if (session.automatic) {
        clickRoundButton(statusWindow);
        report(QStringLiteral("  (auto) status window put away into the cabinet"));
    }
    utility.Delay(session.automatic ? 0.2 : 2.0);

    const QString verdict = menu.OverallPassFail();
    report(QStringLiteral("Big verdict: %1")
               .arg(verdict == QLatin1String("PASS") ? QStringLiteral("PASS")
                                                     : QStringLiteral("FAIL")));
    session.answerNextWindow(QStringLiteral("frmBigResult"), QStringLiteral("cmdOK"));
    if (verdict == QLatin1String("PASS"))
        utility.ShowBigPass();
    else
        utility.ShowBigFail();

    menu.HideCabinet();
    utility.HideBackground();
    report(QStringLiteral("Cabinet and background closed"));
}
