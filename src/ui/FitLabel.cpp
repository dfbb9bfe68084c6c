#include "ui/FitLabel.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace XQTestDev {

namespace {

constexpr qreal PointStep = 0.5;

qreal pointSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    // A font sized in pixels: its size in points at the screen's resolution.
    return QFontInfo(font).pointSizeF();
}

bool fits(const QString& text, const QFont& font, qreal width) {
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

// Qt may leave an elided text a fraction of a pixel too wide; ask for a little
// less until it truly fits, so no glyph is cut at the edge.
QString cutInTheMiddle(const QString& text, const QFont& font, qreal width) {
    const QFontMetricsF metrics(font);
    QString shown;
    for (qreal target = width; target > 0; target -= 1) {
        shown = metrics.elidedText(text, Qt::ElideMiddle, target);
        if (metrics.horizontalAdvance(shown) <= width)
            break;
    }
    return shown;
}

} // namespace

FitLabel::FitLabel(QWidget* parent, qreal smallestPointSize)
    : QLabel(parent), designFont_(font()), smallestPointSize_(smallestPointSize) {
    setTextFormat(Qt::PlainText);
}

void FitLabel::setFullText(const QString& text) {
    if (text == this->text() && !shown_.isNull())
        return;
    setText(text);
    refit();
}

int FitLabel::inset() const {
    // A negative indent (the default) means none for a label without a frame.
    return margin() + std::max(indent(), 0);
}

int FitLabel::textWidth() const {
    return contentsRect().width() - 2 * inset();
}

void FitLabel::refit() {
    const QString whole = text();
    const qreal width = textWidth();
    const qreal designed = pointSizeOf(designFont_);
    QFont tried = designFont_;
    shown_ = whole;
    bool fitted = false;
    for (qreal size = designed; size >= smallestPointSize_ - 0.01; size -= PointStep) {
        tried.setPointSizeF(size);
        if (fits(whole, tried, width)) {
            fitted = true;
            break;
        }
    }
    if (!fitted) {
        tried.setPointSizeF(std::min(designed, smallestPointSize_));
        shown_ = cutInTheMiddle(whole, tried, width);
    }
    if (font() != tried) {
        fitting_ = true;
        setFont(tried);
        fitting_ = false;
    }
    setToolTip(isCut() ? whole : QString());
    update();
}

void FitLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(inset(), margin(), -inset(), -margin());
    style()->drawItemText(&painter, area, int(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), shown_, foregroundRole());
}

void FitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refit();
}

void FitLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_) {
        designFont_ = font();
        refit();
    }
}

} // namespace XQTestDev
