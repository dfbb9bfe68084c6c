#include "virtual/PanelLook.h"

#include "frame/ScreenUnits.h"
#include "ui/FailMark.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace XQTestDev {

namespace {
constexpr int SmallestPixels = 9;
// The frame's border and its rounded corners lie within this many pixels of
// the window's edge.
constexpr int FrameEdgePixels = 4;
} // namespace

QFont arial(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void paintPanelFace(QWidget& window) {
    window.setAutoFillBackground(true);
    QPalette look = window.palette();
    look.setColor(QPalette::Window, PanelFace);
    look.setColor(QPalette::WindowText, PanelText);
    window.setPalette(look);
    auto* frame = new QFrame(&window);
    frame->setObjectName(QStringLiteral("shpMainFrame"));
    frame->setGeometry(window.rect());
    frame->setStyleSheet(
        QStringLiteral("QFrame#shpMainFrame { border: 1px solid #64748b; border-radius: 3px; }"));
    // The frame paints only its rounded edge, but covers the whole window:
    // without a mask every change inside (an LED, the readout) would draw
    // the rounded border again, which costs more than the change itself.
    const QRect edge = frame->rect();
    frame->setMask(QRegion(edge).subtracted(QRegion(
        edge.adjusted(FrameEdgePixels, FrameEdgePixels, -FrameEdgePixels, -FrameEdgePixels))));
    frame->lower();
}

void fitTextToWidth(QLabel& label, int designPixels) {
    QFont font = label.font();
    const int room = label.contentsRect().width() - 4;
    int pixels = designPixels;
    font.setPixelSize(pixels);
    while (pixels > SmallestPixels && QFontMetrics(font).horizontalAdvance(label.text()) > room) {
        --pixels;
        font.setPixelSize(pixels);
    }
    if (label.font().pixelSize() != pixels)
        label.setFont(font);
}

namespace {

// The room the fail mark takes at a readout's largest size. A sweep of values
// asks for it at every refresh; the fonts of a running station do not change,
// so it is measured once per size.
int markRoom(int designPixels, bool bold) {
    static QHash<int, int> measured;
    const int key = designPixels * 2 + (bold ? 1 : 0);
    const auto found = measured.constFind(key);
    if (found != measured.constEnd())
        return *found;
    const int room = static_cast<int>(std::ceil(failMarkWidth(arial(designPixels, bold))));
    measured.insert(key, room);
    return room;
}

// The mark's width in the readout's font, measured once per font.
int markWidthIn(const QFont& font) {
    static QHash<QFont, int> measured;
    const auto found = measured.constFind(font);
    if (found != measured.constEnd())
        return *found;
    const int width = static_cast<int>(std::ceil(failMarkWidth(font)));
    measured.insert(font, width);
    return width;
}

} // namespace

QLabel* makeFailMark(QLabel& readout) {
    auto* mark = new QLabel(readout.parentWidget());
    mark->setObjectName(QStringLiteral("lblFailMark"));
    mark->setTextFormat(Qt::PlainText);
    mark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->hide();
    return mark;
}

void showReadout(QLabel& readout, QLabel& mark, const QString& text, bool failed,
                 int designPixels) {
    const QString sign = FailMark.trimmed().toString();
    // Room for the mark at the largest size, so that the text and the mark
    // never overlap whatever size the text is fitted to.
    const int room = failed ? markRoom(designPixels, readout.font().bold()) : 0;
    readout.setContentsMargins(room, 0, 0, 0);
    if (readout.text() != text)
        readout.setText(text);
    fitTextToWidth(readout, designPixels);
    mark.setVisible(failed);
    if (!failed)
        return;
    mark.setFont(readout.font());
    mark.setPalette(readout.palette());
    mark.setText(sign);
    const QRect inside = readout.contentsRect();
    const qreal textWidth = QFontMetricsF(readout.font()).horizontalAdvance(text);
    const int textLeft = inside.left() + static_cast<int>((inside.width() - textWidth) / 2);
    const int markWidth = markWidthIn(readout.font());
    mark.setGeometry(readout.x() + std::max(0, textLeft - markWidth), readout.y(), markWidth,
                     readout.height());
    mark.raise();
}

} // namespace XQTestDev
