#include "frame/ScreenUnits.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace XQTestDev {

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double FallbackDpi = 96.0;

QScreen* primaryScreen() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::primaryScreen()
               : nullptr;
}

double dpiX() {
    QScreen* screen = primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : FallbackDpi;
    return dpi > 0 ? dpi : FallbackDpi;
}

double dpiY() {
    QScreen* screen = primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : FallbackDpi;
    return dpi > 0 ? dpi : FallbackDpi;
}

} // namespace

double twipsPerPixelX() {
    return TwipsPerInch / dpiX();
}
double twipsPerPixelY() {
    return TwipsPerInch / dpiY();
}

int toPixelsX(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixelX()));
}
int toPixelsY(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixelY()));
}
int toTwipsX(int pixels) {
    return static_cast<int>(std::lround(pixels * twipsPerPixelX()));
}
int toTwipsY(int pixels) {
    return static_cast<int>(std::lround(pixels * twipsPerPixelY()));
}

QRect twipsRect(int left, int top, int width, int height) {
    const int x = toPixelsX(left);
    const int y = toPixelsY(top);
    return {x, y, toPixelsX(left + width) - x, toPixelsY(top + height) - y};
}

QRect twipsRect(const QRect& twips) {
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

QSize usableScreenTwips() {
    QScreen* screen = primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->availableGeometry();
    return {toTwipsX(area.width()), toTwipsY(area.height())};
}

QSize windowSizeTwips(const QWidget& window) {
    return {toTwipsX(window.width()), toTwipsY(window.height())};
}

QPoint windowPositionTwips(const QWidget& window) {
    return {toTwipsX(window.x()), toTwipsY(window.y())};
}

void resizeWindowTwips(QWidget& window, double widthTwips, double heightTwips) {
    window.resize(toPixelsX(widthTwips), toPixelsY(heightTwips));
}

void moveWindowTwips(QWidget& window, double leftTwips, double topTwips) {
    window.move(toPixelsX(leftTwips), toPixelsY(topTwips));
}

} // namespace XQTestDev
