#include "ui/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace XQTestDev {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
    setText(text);
    updateToolTip();
}

int ElidedLabel::textWidth() const {
    return contentsRect().width() - 2 * margin() - 2 * indent();
}

QString ElidedLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, textWidth());
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const int inset = margin() + indent();
    const QRect area = contentsRect().adjusted(inset, margin(), -inset, -margin());
    style()->drawItemText(&painter, area, int(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), shownText(), foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateToolTip();
}

void ElidedLabel::updateToolTip() {
    setToolTip(isElided() ? text() : QString());
}

} // namespace XQTestDev
