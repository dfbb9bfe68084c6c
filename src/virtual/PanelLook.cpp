#include "virtual/PanelLook.h"

#include "frame/ScreenUnits.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace XQTestDev {

namespace {
constexpr int SmallestPixels = 9;
}

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

} // namespace XQTestDev
