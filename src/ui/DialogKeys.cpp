#include "ui/DialogKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace XQTestDev {

namespace {

bool pressable(const QAbstractButton* button) {
    return button && button->isVisible() && button->isEnabled();
}

} // namespace

DialogKeys::DialogKeys(QWidget& window, QAbstractButton* ok, QAbstractButton* cancel)
    : QObject(&window), window_(window), ok_(ok), cancel_(cancel) {
    window.installEventFilter(this);
}

QAbstractButton* DialogKeys::focusedButton() const {
    auto* button = qobject_cast<QAbstractButton*>(window_.focusWidget());
    return button && button->window() == &window_ ? button : nullptr;
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier))
        return false;
    QAbstractButton* target = nullptr;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        target = focusedButton();
        if (!pressable(target))
            target = ok_;
    } else if (key->key() == Qt::Key_Escape) {
        target = cancel_;
    }
    if (!pressable(target))
        return false;
    if (!key->isAutoRepeat())
        target->click();
    return true;
}

} // namespace XQTestDev
