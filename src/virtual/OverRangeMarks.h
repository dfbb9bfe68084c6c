#pragma once

#include <QObject>
#include <QRect>

class QLabel;
class QWidget;

namespace XQTestDev {

// The marks over the ends of the LED bar that say the value lies beyond the
// scale: the bar itself stops at its end, and without them 5.4 on a scale
// ending at 5.25 would look like 5.25. They cover the end LEDs, which read
// all lit (above) or all dark (below) while a mark is up anyway.
class OverRangeMarks : public QObject {
    Q_OBJECT

public:
    // `firstLed` and `lastLed` are the places of LEDs 0 and 39, in twips.
    OverRangeMarks(QWidget& window, const QRect& firstLed, const QRect& lastLed);

    // -1 shows the mark below the scale, +1 the one above, 0 neither.
    void show(int beyondScale);

private:
    QLabel* under_ = nullptr;
    QLabel* over_ = nullptr;
};

} // namespace XQTestDev
