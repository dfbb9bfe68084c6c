#include "virtual/PressPictures.h"

#include "frame/ScreenUnits.h"
#include "ui/Pictures.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace XQTestDev {

namespace {

// A picture label that paints its picture and nothing else: a bar of 40 LEDs
// repaints 80 of them at every change, and a plain label's frame and style
// work would cost more than the pictures.
class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        const QPixmap picture = pixmap();
        if (picture.isNull())
            return;
        const QSize size = picture.deviceIndependentSize().toSize();
        QPainter painter(this);
        painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, picture);
    }
};

} // namespace

QLabel* pictureLabel(QWidget* parent, const QString& picture, const QString& objectName,
                     QRect twips) {
    auto* label = new PictureLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(libraryPicture(picture));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(twipsRect(twips));
    return label;
}

PressPictures::PressPictures(QLabel* released, QLabel* pressed)
    : QObject(released), released_(released), pressed_(pressed) {
    for (QLabel* picture : {released, pressed}) {
        picture->setAttribute(Qt::WA_NoMousePropagation);
        picture->installEventFilter(this);
    }
    pressed->stackUnder(released);
}

bool PressPictures::isDown() const {
    return released_ && released_->isHidden();
}

void PressPictures::pressDown() {
    if (released_)
        released_->hide();
}

void PressPictures::letGo() {
    if (pressed_ && QWidget::mouseGrabber() == pressed_.data())
        pressed_->releaseMouse();
    if (released_)
        released_->show();
}

bool PressPictures::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* picture = static_cast<QWidget*>(watched);
    if (type != QEvent::MouseButtonRelease) {
        if (mouse->button() == Qt::RightButton && watched == released_.data()) {
            emit menuRequested(mouse->globalPosition().toPoint());
        } else if (mouse->button() == Qt::LeftButton && watched == released_.data()) {
            released_->hide();
            // The button may come up anywhere; it must still reach us, or a
            // held arrow would never stop.
            if (pressed_)
                pressed_->grabMouse();
            emit pressed();
        }
        return true;
    }
    if (mouse->button() == Qt::LeftButton) {
        const bool wasDown = isDown();
        letGo();
        if (wasDown && picture->rect().contains(mouse->position().toPoint()))
            emit clicked();
    }
    return true;
}

} // namespace XQTestDev
