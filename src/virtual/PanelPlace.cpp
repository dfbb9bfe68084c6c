#include "virtual/PanelPlace.h"

#include "frame/LibraryState.h"
#include "frame/Placement.h"
#include "frame/ScreenUnits.h"
#include "ui/Cabinet.h"
#include "ui/WindowHandle.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace XQTestDev {

namespace {

constexpr double FarthestPlace = 1e6;

QVariant storedCoordinate(const QVariant& given) {
    bool number = false;
    const double value = given.toString().trimmed().toDouble(&number);
    if (!number || !std::isfinite(value))
        return QVariant::fromValue<qint16>(0);
    return given;
}

} // namespace

void PanelPlace::setTop(const QVariant& top) {
    top_ = storedCoordinate(top);
    position_ = 0;
}

void PanelPlace::setLeft(const QVariant& left) {
    left_ = storedCoordinate(left);
    position_ = 0;
}

double twipsOf(const QVariant& coordinate) {
    bool number = false;
    const double value = coordinate.toString().trimmed().toDouble(&number);
    if (!number || !std::isfinite(value))
        return 0;
    return std::clamp(value, -FarthestPlace, FarthestPlace);
}

void PanelPlace::placeAndKeep(QWidget& window, QSize designTwips) {
    const QSize current = windowSizeTwips(window);
    const QSizeF size = current.height() == 0 ? QSizeF(designTwips) : QSizeF(current);
    const QSizeF screen(library().screenWidth, library().screenHeight);
    const QPointF placed =
        placeByPosition(position_, size, screen, QPointF(twipsOf(left_), twipsOf(top_)));
    moveWindowTwips(window, placed.x(), placed.y());
    left_ = placed.x();
    top_ = placed.y();
}

void growOrBringBack(QWidget& window, QSize designTwips) {
    const bool putAway = windowSizeTwips(window).height() == 0;
    if (putAway && cabinet().restoreByHandle(windowHandle(window)))
        return;
    const QPoint place = windowPositionTwips(window);
    if (putAway) {
        // Grow from the middle of where it goes, as from a shelf.
        moveWindowTwips(window, place.x() + designTwips.width() / 2,
                        place.y() + designTwips.height() / 2);
    }
    cabinet().expand(window, designTwips.height(), designTwips.width(), place.y(), place.x(), true);
}

void bringToFrontWhenWanted(QWidget& window, bool hidden, bool alwaysOnTop) {
    if (hidden || !alwaysOnTop || library().onTopSuspended)
        return;
    window.raise();
}

} // namespace XQTestDev
