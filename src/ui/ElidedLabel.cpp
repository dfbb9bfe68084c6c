#include "ui/ElidedLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace XQTestDev {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
    setText(text);
    updateToolTip();
}

// A negative indent (the default) means none for a label without a frame.
int ElidedLabel::inset() const {
    return margin() + std::max(indent(), 0);
}

int ElidedLabel::textWidth() const {
    return contentsRect().width() - 2 * inset();
}

QString ElidedLabel::shownText() const {
    const QFontMetricsF metrics(font());
    const qreal width = textWidth();
    if (metrics.horizontalAdvance(text()) <= width)
        return text();
    // Qt may leave the elided text a fraction of a pixel too wide; ask for a
    // little less until it truly fits, so no glyph is cut at the edge.
    QString shown;
    for (qreal target = width; target > 0; target -= 1) {
        shown = metrics.elidedText(text(), Qt::ElideRight, target);
        if (metrics.horizontalAdvance(shown) <= width)
            break;
    }
    return shown;
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(inset(), margin(), -inset(), -margin());
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
