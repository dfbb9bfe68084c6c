#include "frame/Placement.h"

#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"

#include <QWidget>

namespace XQTestDev {

namespace {

constexpr double BottomMargin = 100.0;

// Coordinates end up as single-precision window coordinates.
QPointF asWindowCoordinates(double left, double top) {
    return {static_cast<float>(left), static_cast<float>(top)};
}

QSizeF measuredScreen() {
    return {static_cast<double>(library().screenWidth),
            static_cast<double>(library().screenHeight)};
}

QPointF placeWithMargin(int position, QSizeF window, QSizeF screen, double bottomMargin,
                        QPointF otherwise) {
    const double w = window.width();
    const double h = window.height();
    const double sw = screen.width();
    const double sh = screen.height();
    const double centreLeft = sw / 2 - w / 2;
    const double centreTop = sh / 2 - h / 2;
    const double rightLeft = sw - w;
    const double bottomTop = sh - h - bottomMargin;
    switch (position) {
    case Center:
        return asWindowCoordinates(centreLeft, centreTop);
    case CenterUp:
        return asWindowCoordinates(centreLeft, 0);
    case CenterLeft:
        return asWindowCoordinates(0, centreTop);
    case CenterRight:
        return asWindowCoordinates(rightLeft, centreTop);
    case LeftUp:
        return asWindowCoordinates(0, 0);
    case RightUp:
        return asWindowCoordinates(rightLeft, 0);
    case CenterDown:
        return asWindowCoordinates(centreLeft, bottomTop);
    case LeftDown:
        return asWindowCoordinates(0, bottomTop);
    case RightDown:
        return asWindowCoordinates(rightLeft, bottomTop);
    default:
        return otherwise;
    }
}

} // namespace

QPointF placeByPosition(int position, QSizeF window, QSizeF screen, QPointF stored) {
    return placeWithMargin(position, window, screen, BottomMargin, stored);
}

QPointF placeInfoBox(int position, QSizeF window, QSizeF screen) {
    const QPointF centred = placeWithMargin(Center, window, screen, 0, {});
    return placeWithMargin(position, window, screen, 0, centred);
}

QPointF placeWindow(QWidget& window, int position, QPointF stored) {
    const QPointF at = placeByPosition(position, windowSizeTwips(window), measuredScreen(), stored);
    moveWindowTwips(window, at.x(), at.y());
    return at;
}

QPointF placeInfoBoxWindow(QWidget& window, int position) {
    const QPointF at = placeInfoBox(position, windowSizeTwips(window), measuredScreen());
    moveWindowTwips(window, at.x(), at.y());
    return at;
}

} // namespace XQTestDev
