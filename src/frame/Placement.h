#pragma once

#include <XQTestDev/Enums.h>

#include <QPointF>
#include <QSizeF>

class QWidget;

namespace XQTestDev {

// Where a window of the given size goes on a screen of the given size, all in
// twips. `stored` is the object's own Left/Top, used for values outside 1..9.
QPointF placeByPosition(int position, QSizeF window, QSizeF screen, QPointF stored);

// The InfoBox's variant: bottom rows sit flush with the screen's bottom edge and
// any other value centres the dialog.
QPointF placeInfoBox(int position, QSizeF window, QSizeF screen);

// Moves a window by the rule above on the measured screen; returns where it
// went (twips).
QPointF placeWindow(QWidget& window, int position, QPointF stored = {});
QPointF placeInfoBoxWindow(QWidget& window, int position);

} // namespace XQTestDev
