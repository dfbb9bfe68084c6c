#include "ui/WrapLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QtMath>

#include <algorithm>

namespace XQTestDev {

namespace {

const QChar Ellipsis(0x2026);

// `line` with "…" at its end, shortened by whole words while it does not fit;
// a single word that is still too wide is cut by letters before the "…".
QString endedWithEllipsis(const QString& line, const QFontMetricsF& metrics, qreal width) {
    QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (words.size() > 1 &&
           metrics.horizontalAdvance(words.join(QLatin1Char(' ')) + Ellipsis) > width)
        words.removeLast();
    QString shown = words.join(QLatin1Char(' '));
    while (!shown.isEmpty() && metrics.horizontalAdvance(shown + Ellipsis) > width)
        shown.chop(1);
    return shown + Ellipsis;
}

} // namespace

QStringList wrapAtWords(const QString& text, const QFont& font, qreal width, int maxLines,
                        bool* cut) {
    const QFontMetricsF metrics(font);
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList lines;
    qsizetype next = 0;
    while (next < words.size() && lines.size() < std::max(maxLines, 1)) {
        QString line = words[next++];
        while (next < words.size() &&
               metrics.horizontalAdvance(line + QLatin1Char(' ') + words[next]) <= width)
            line += QLatin1Char(' ') + words[next++];
        lines << line;
    }
    const bool goesOn = next < words.size();
    if (goesOn)
        lines.last() += QLatin1Char(' ') + words.mid(next).join(QLatin1Char(' '));
    bool leftOut = goesOn;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool last = i == lines.size() - 1;
        if ((last && goesOn) || metrics.horizontalAdvance(lines[i]) > width) {
            lines[i] = endedWithEllipsis(lines[i], metrics, width);
            leftOut = true;
        }
    }
    if (cut)
        *cut = leftOut;
    return lines;
}

WrapLabel::WrapLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void WrapLabel::setFullText(const QString& text) {
    setText(text);
    setToolTip(text.trimmed());
    layOut();
}

void WrapLabel::layOut() {
    const QFontMetricsF metrics(font());
    const QRect area = contentsRect();
    const int maxLines = std::max(1, static_cast<int>(area.height() / metrics.lineSpacing()));
    lines_ = wrapAtWords(text(), font(), area.width(), maxLines, &cut_);
    update();
}

void WrapLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    const QFontMetricsF metrics(font());
    const int lineHeight = qCeil(metrics.lineSpacing());
    const int used = lineHeight * static_cast<int>(lines_.size());
    int top = area.top();
    if (alignment() & Qt::AlignVCenter)
        top += std::max(0, (area.height() - used) / 2);
    else if (alignment() & Qt::AlignBottom)
        top += std::max(0, area.height() - used);
    for (const QString& line : lines_) {
        const QRect lineArea(area.left(), top, area.width(), lineHeight);
        style()->drawItemText(&painter, lineArea,
                              int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter |
                                  Qt::TextSingleLine,
                              palette(), isEnabled(), line, foregroundRole());
        top += lineHeight;
    }
}

void WrapLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    layOut();
}

void WrapLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layOut();
}

} // namespace XQTestDev
