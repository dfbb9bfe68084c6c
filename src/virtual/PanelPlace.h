#pragma once

#include <QSize>
#include <QVariant>

class QWidget;

namespace XQTestDev {

// Where a virtual instrument's window goes: a Positions value, or 0 (and any
// value outside 1 to 9) for the Top and Left the station program set.
class PanelPlace {
public:
    int position() const { return position_; }
    void setPosition(int position) { position_ = position; }

    // Top and Left come back as they were stored. Setting either one chooses
    // the stored place (Position 0). A value that is not a finite number is
    // stored as the 16-bit integer 0.
    QVariant top() const { return top_; }
    QVariant left() const { return left_; }
    void setTop(const QVariant& top);
    void setLeft(const QVariant& left);

    // Moves the window by its Position on the measured screen and keeps the
    // place it went to as its Top and Left. A window put away into the
    // cabinet has no size; it is placed by its design size.
    void placeAndKeep(QWidget& window, QSize designTwips);

private:
    int position_ = 0;
    QVariant top_;
    QVariant left_;
};

// What a stored Top or Left counts as when placing (twips): empty is 0, and
// a place beyond any screen is held at a million twips either way.
double twipsOf(const QVariant& coordinate);

// Shows a placed window: grows it to its design size at its place with the
// cabinet's animation and takes it off its shelf; a window put away into the
// cabinet comes back from its shelf instead. One that was put away while
// every shelf was taken grows at its place too, rather than staying out of
// reach.
void growOrBringBack(QWidget& window, QSize designTwips);

// Brings a window to the front unless it was hidden by its object, the
// object does not want it on top, or a pop-up menu of the library is open.
void bringToFrontWhenWanted(QWidget& window, bool hidden, bool alwaysOnTop);

} // namespace XQTestDev
