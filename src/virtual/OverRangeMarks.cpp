#include "virtual/OverRangeMarks.h"

#include "frame/ScreenUnits.h"
#include "virtual/LedBarScale.h"
#include "virtual/PanelLook.h"

#include <QLabel>

namespace XQTestDev {

namespace {

constexpr int CoveredLeds = 6;
constexpr int MarkPixels = 10;

QLabel* makeMark(QWidget& window, const char* name, const QString& text, const QRect& twips) {
    auto* mark = new QLabel(text, &window);
    mark->setObjectName(QLatin1String(name));
    mark->setGeometry(twipsRect(twips));
    mark->setAlignment(Qt::AlignCenter);
    mark->setFont(arial(MarkPixels, true));
    // Light on dark with an outline: readable whatever colours the LEDs under
    // it have, and without telling colours apart.
    mark->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid %2; }")
            .arg(DisplayFace.name(), PanelText.name()));
    mark->setToolTip(text);
    mark->hide();
    return mark;
}

} // namespace

OverRangeMarks::OverRangeMarks(QWidget& window, const QRect& firstLed, const QRect& lastLed)
    : QObject(&window) {
    const int width = LedPitch * (CoveredLeds - 1) + LedWidth;
    under_ = makeMark(window, "lblUnderRange", QStringLiteral("\u25C0 UNDER"),
                      {firstLed.x(), firstLed.y(), width, firstLed.height()});
    over_ = makeMark(window, "lblOverRange", QStringLiteral("OVER \u25B6"),
                     {lastLed.right() + 1 - width, lastLed.y(), width, lastLed.height()});
}

void OverRangeMarks::show(int beyondScale) {
    if (under_->isVisibleTo(under_->parentWidget()) != (beyondScale < 0))
        under_->setVisible(beyondScale < 0);
    if (over_->isVisibleTo(over_->parentWidget()) != (beyondScale > 0))
        over_->setVisible(beyondScale > 0);
}

} // namespace XQTestDev
