#pragma once

#include "virtual/LedBarScale.h"

#include <QWidget>

#include <optional>

namespace XQTestDev {

// Where the pass band lies along the LEDs, in twips of the window: the
// LEDs' colours follow their place on the scale, not the band, so a failing
// value may light green LEDs. Nothing when the band lies wholly outside the
// scale or the scale is empty; a band end beyond the scale stops at the bar's
// end.
struct BandSpan {
    int left = 0;
    int right = 0;
    bool openLeft = false;  // Min lies below the scale
    bool openRight = false; // Max lies above the scale
};
std::optional<BandSpan> passBandSpan(const LedBarSettings& settings);

// A bracket over the LEDs (`shpPassBand`) from Min to Max, with a tick at each
// end that lies on the scale. Drawn in the panel's text colour: its place, not
// its colour, carries the meaning.
class PassBandMark : public QWidget {
public:
    explicit PassBandMark(QWidget* parent);

    void showBand(const LedBarSettings& settings);
    const std::optional<BandSpan>& span() const { return span_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<BandSpan> span_;
};

} // namespace XQTestDev
