#include "DemoSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

void report(const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

void saveScreen(const QString& name) {
    static int number = 0;
    const QString folder = qEnvironmentVariable("XQ_DEMO_SHOTS");
    if (folder.isEmpty() || !QApplication::primaryScreen())
        return;
    const QString file =
        QStringLiteral("%1/%2-%3.png").arg(folder).arg(++number, 2, 10, QLatin1Char('0')).arg(name);
    // Each shown window where it stands; the platform's own grab of the whole
    // screen may still hold windows that were hidden.
    // At the screen's device pixels, so that a scaled screen is seen as sharp
    // (or as soft) as it is.
    const qreal ratio = QApplication::primaryScreen()->devicePixelRatio();
    QImage screen(QApplication::primaryScreen()->geometry().size() * ratio, QImage::Format_RGB32);
    screen.setDevicePixelRatio(ratio);
    screen.fill(QColor(0x40, 0x40, 0x40));
    QPainter painter(&screen);
    // Plain windows (the menu) first, then the panels and dialogs over them.
    for (const bool panels : {false, true}) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const bool panel = window->windowType() != Qt::Window;
            if (panel == panels && window->isVisible() && !window->size().isEmpty())
                painter.drawPixmap(window->pos(), window->grab());
        }
    }
    painter.end();
    screen.save(file);
}

namespace {

QWidget* visibleWindow(const QString& windowName) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == windowName && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// One look for the window; when it is not up yet, another look is scheduled.
// Each timer holds only copies of the names, so nothing refers to itself and
// nothing outlives the last attempt.
void pressWhenShown(const QString& windowName, const QString& buttonName, int triesLeft) {
    if (QWidget* window = visibleWindow(windowName)) {
        if (auto* button = window->findChild<QAbstractButton*>(buttonName)) {
            report(QStringLiteral("  (auto) pressing %1 \"%2\" in %3")
                       .arg(buttonName, button->text(), windowName));
            saveScreen(windowName);
            button->click();
            return;
        }
    }
    if (triesLeft > 0)
        QTimer::singleShot(20, [windowName, buttonName, triesLeft] {
            pressWhenShown(windowName, buttonName, triesLeft - 1);
        });
    else
        report(QStringLiteral("  (auto) %1 never showed").arg(windowName));
}

} // namespace

void DemoSession::answerNextWindow(const QString& windowName, const QString& buttonName) const {
    if (!automatic)
        return;
    // Poll until the window is up: the call that opens it blocks in its own
    // event loop, which runs these timers.
    QTimer::singleShot(0,
                       [windowName, buttonName] { pressWhenShown(windowName, buttonName, 250); });
}
