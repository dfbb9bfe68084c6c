#include "ui/RoundButton.h"

#include "ui/Pictures.h"

#include <QMouseEvent>

namespace XQTestDev {

RoundButton::RoundButton(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    showPressed(false);
}

void RoundButton::showPressed(bool pressed) {
    looksPressed_ = pressed;
    setPixmap(libraryPicture(pressed ? QStringLiteral("ROUNDBUTTONDOWN")
                                     : QStringLiteral("ROUNDBUTTONUP")));
}

void RoundButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        showPressed(true);
    } else if (event->button() == Qt::RightButton) {
        pressed_ = false;
        showPressed(false);
        emit menuRequested(event->globalPosition().toPoint());
    }
    event->accept();
}

void RoundButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    showPressed(false);
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

} // namespace XQTestDev
