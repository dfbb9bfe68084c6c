#include "virtual/PassBandMark.h"

#include "frame/ScreenUnits.h"
#include "virtual/PanelLook.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace XQTestDev {

namespace {

constexpr int BarLeft = FirstLedLeft;
constexpr int BarRight = FirstLedLeft + (LedCount - 1) * LedPitch + LedWidth;
constexpr int MarkTop = 470;
constexpr int MarkHeight = 80;

// A value's place on the bar: LED i lights from ScaleMin + (i + 1) x step, so
// the border between LED i - 1 and LED i stands for ScaleMin + i x step.
double placeOf(double value, const LedBarSettings& settings) {
    const double fraction = (value - settings.scaleMin) / (settings.scaleMax - settings.scaleMin);
    return BarLeft + fraction * LedCount * LedPitch;
}

} // namespace

std::optional<BandSpan> passBandSpan(const LedBarSettings& settings) {
    const double low = std::min(settings.scaleMin, settings.scaleMax);
    const double high = std::max(settings.scaleMin, settings.scaleMax);
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) ||
        !(settings.max >= settings.min) || settings.max < low || settings.min > high)
        return std::nullopt;
    BandSpan span;
    span.openLeft = settings.min < low;
    span.openRight = settings.max > high;
    const double left = span.openLeft ? BarLeft : placeOf(settings.min, settings);
    const double right = span.openRight ? BarRight : placeOf(settings.max, settings);
    span.left = static_cast<int>(std::lround(std::clamp<double>(left, BarLeft, BarRight)));
    span.right = static_cast<int>(std::lround(std::clamp<double>(right, BarLeft, BarRight)));
    return span;
}

PassBandMark::PassBandMark(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("shpPassBand"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(twipsRect(0, MarkTop, BarRight + LedPitch, MarkHeight));
}

void PassBandMark::showBand(const LedBarSettings& settings) {
    span_ = passBandSpan(settings);
    setToolTip(span_ ? QStringLiteral("Pass band: %1 to %2")
                           .arg(QString::number(settings.min), QString::number(settings.max))
                     : QString());
    update();
}

void PassBandMark::paintEvent(QPaintEvent*) {
    if (!span_)
        return;
    QPainter painter(this);
    painter.setPen(QPen(PanelText, 2, Qt::SolidLine, Qt::FlatCap));
    const int left = toPixelsX(span_->left);
    const int right = std::max(left + 2, toPixelsX(span_->right));
    const int line = 1;
    painter.drawLine(left, line, right, line);
    // Ticks point down to the LEDs at the ends that lie on the scale.
    if (!span_->openLeft)
        painter.drawLine(left + 1, line, left + 1, height());
    if (!span_->openRight)
        painter.drawLine(right - 1, line, right - 1, height());
}

} // namespace XQTestDev
