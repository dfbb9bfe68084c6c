#include "instruments/PanelClipButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

namespace XQTestDev {

PanelClipButton::PanelClipButton(QLabel& released, QLabel& pressed)
    : QObject(&released), released_(released), pressed_(pressed) {
    released_.installEventFilter(this);
    pressed_.installEventFilter(this);
}

bool PanelClipButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* label = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
        leftDown();
    else if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton)
        rightDown(mouse->globalPosition().toPoint());
    else if (mouse->button() == Qt::LeftButton)
        leftUp(label->rect().contains(mouse->position().toPoint()));
    return QObject::eventFilter(watched, event);
}

void PanelClipButton::leftDown() {
    released_.hide();
    pressedFlag_ = true;
}

void PanelClipButton::leftUp(bool inside) {
    released_.show();
    const bool click = pressedFlag_ && inside;
    pressedFlag_ = false;
    if (click)
        emit clicked();
}

void PanelClipButton::rightDown(const QPoint& globalPosition) {
    QPointer<QLabel> released(&released_);
    released_.hide();
    pressedFlag_ = false;
    emit menuRequested(globalPosition);
    if (released)
        released->show();
}

} // namespace XQTestDev
