#include "run/HeaderPictures.h"

#include "ui/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace XQTestDev {

namespace {

QPixmap transparent(QSize size) {
    return sharpCanvas(size);
}

struct StatusLook {
    QColor fill;
    QString text;
};

StatusLook lookOf(StatusPicture status) {
    switch (status) {
    case StatusPicture::AllOK:
        return {QColor(0, 160, 0), QStringLiteral("OK")};
    case StatusPicture::SQLFailed:
        return {QColor(220, 0, 0), QStringLiteral("DB")};
    case StatusPicture::NWDriveFailed:
        return {QColor(220, 0, 0), QStringLiteral("NW")};
    case StatusPicture::AllFailed:
        return {QColor(220, 0, 0), QStringLiteral("ALL")};
    case StatusPicture::Unknown:
        break;
    }
    return {QColor(150, 150, 150), QStringLiteral("?")};
}

} // namespace

QPixmap statusPicture(StatusPicture status, QSize size) {
    QPixmap pixmap = transparent(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const StatusLook look = lookOf(status);
    const QRectF circle = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(look.fill);
    painter.drawEllipse(circle);
    QFont font = painter.font();
    font.setPixelSize(std::max(6, size.height() * 3 / 8));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(circle, Qt::AlignCenter, look.text);
    return pixmap;
}

QPixmap menuPicture(QSize size) {
    QPixmap pixmap = transparent(size);
    QPainter painter(&pixmap);
    const int bar = std::max(2, size.height() / 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 120));
    for (int i = 0; i < 3; ++i)
        painter.drawRect(size.width() / 6, size.height() / 4 + i * 2 * bar, size.width() * 2 / 3,
                         bar);
    return pixmap;
}

QPixmap pageArrowPicture(bool next, ArrowLook look, QSize size) {
    QPixmap pixmap = transparent(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal inset = look == ArrowLook::Pressed ? 1.0 : 0.0;
    QPolygonF arrow;
    if (next)
        arrow << QPointF(w * 0.3 + inset, h * 0.2 + inset)
              << QPointF(w * 0.75 + inset, h * 0.5 + inset)
              << QPointF(w * 0.3 + inset, h * 0.8 + inset);
    else
        arrow << QPointF(w * 0.7 + inset, h * 0.2 + inset)
              << QPointF(w * 0.25 + inset, h * 0.5 + inset)
              << QPointF(w * 0.7 + inset, h * 0.8 + inset);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == ArrowLook::Disabled ? QColor(170, 170, 170) : QColor(0, 70, 160));
    painter.drawPolygon(arrow);
    return pixmap;
}

} // namespace XQTestDev
