#include "DemoSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <memory>

void report(const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

namespace {

QWidget* visibleWindow(const QString& windowName) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == windowName && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

void DemoSession::answerNextWindow(const QString& windowName, const QString& buttonName) const {
    if (!automatic)
        return;
    // Poll until the window is up: the call that opens it blocks in its own
    // event loop, which runs this timer.
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [=](int triesLeft) {
        if (QWidget* window = visibleWindow(windowName)) {
            if (auto* button = window->findChild<QAbstractButton*>(buttonName)) {
                report(QStringLiteral("  (auto) pressing %1 \"%2\" in %3")
                           .arg(buttonName, button->text(), windowName));
                button->click();
                return;
            }
        }
        if (triesLeft > 0)
            QTimer::singleShot(20, [attempt, triesLeft] { (*attempt)(triesLeft - 1); });
        else
            report(QStringLiteral("  (auto) %1 never showed").arg(windowName));
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(250); });
}
