#include "ui/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace XQTestDev {

WindowDrag::WindowDrag(QWidget& window) : QObject(&window), window_(&window) {}

void WindowDrag::watch(QWidget* control) {
    if (control)
        control->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (!window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            dragging_ = true;
            pressGlobal_ = mouse->globalPosition().toPoint();
            windowAtPress_ = window_->pos();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (dragging_ && (mouse->buttons() & Qt::LeftButton))
            window_->move(windowAtPress_ + (mouse->globalPosition().toPoint() - pressGlobal_));
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (dragging_ && mouse->button() == Qt::LeftButton) {
            dragging_ = false;
            emit released();
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace XQTestDev
