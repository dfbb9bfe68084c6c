#include "ui/Cabinet.h"

#include "frame/EventPause.h"
#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "ui/CabinetPosition.h"
#include "ui/CabinetSteps.h"
#include "ui/CabinetWindow.h"
#include "ui/SharedWindows.h"
#include "ui/SizeLimits.h"
#include "ui/WindowHandle.h"

#include <XQTestDev/XQUtility32.h>

#include <QAction>
#include <QWidget>

#include <algorithm>

namespace XQTestDev {

namespace {

constexpr int CabinetWidth = 787;  // twips
constexpr int CabinetHeight = 535; // twips

TwipGeometry twipGeometryOf(const QWidget& window) {
    const QPoint place = windowPositionTwips(window);
    const QSize size = windowSizeTwips(window);
    return {place.x(), place.y(), size.width(), size.height()};
}

void applyTwipGeometry(QWidget& window, const TwipGeometry& geometry) {
    // A shrink can overshoot below zero on its last step; the window stops at
    // nothing.
    moveWindowTwips(window, geometry.left, geometry.top);
    resizeWindowTwips(window, std::max(0, geometry.width), std::max(0, geometry.height));
}

// Runs the animation; false when the window went away in one of its pauses.
bool animate(QPointer<QWidget>& window, const std::vector<TwipGeometry>& steps) {
    for (const TwipGeometry& step : steps) {
        applyTwipGeometry(*window, step);
        letPendingEventsRun();
        if (!window)
            return false;
    }
    return true;
}

} // namespace

Cabinet::Cabinet(QObject* parent) : QObject(parent), window_(new CabinetWindow) {
    connect(window_, &CabinetWindow::shelfChosen, this, &Cabinet::chooseShelf);
    connect(window_, &CabinetWindow::hideCabinetChosen, this, &Cabinet::hideCabinet);
    connect(window_, &CabinetWindow::dropped, this, &Cabinet::saveWindowPlace);
}

Cabinet::~Cabinet() {
    delete window_.data();
}

CabinetWindow& Cabinet::window() const {
    return *window_;
}

void Cabinet::collapse(QWidget& target, const QString& caption, bool unload, bool keepOff) {
    QPointer<QWidget> window(&target);
    const TwipGeometry start = twipGeometryOf(target);
    setSizeLimitsAside(target);
    if (!animate(window, collapseSteps(start)))
        return;
    resizeWindowTwips(*window, 0, 0);
    window->hide();
    if (unload) {
        window->close();
        return;
    }
    if (!keepOff)
        putOnShelf(*window, {start.height, start.width, start.top, start.left}, caption);
}

void Cabinet::expand(QWidget& target, int height, int width, int top, int left, bool takeOff) {
    QPointer<QWidget> window(&target);
    if (height == 0 && width == 0) {
        // Nothing to grow into: the test menu shows itself on this request.
        emit menuShowRequested(window);
    } else {
        setSizeLimitsAside(target);
        TwipGeometry start = twipGeometryOf(target);
        if (start.height != 0) {
            start = centreOf(start);
            applyTwipGeometry(target, start);
        }
        target.show();
        target.raise();
        if (!animate(window, expandSteps(start, width, height)))
            return;
        applyTwipGeometry(*window, {left, top, width, height});
        restoreSizeLimits(*window);
    }
    if (!takeOff)
        return;
    if (const std::optional<int> shelf = shelves_.listedWithTag(windowHandleText(*window)))
        takeOffShelf(*shelf);
}

void Cabinet::addToCabinet(QWidget& window, const QString& caption) {
    putOnShelf(window, {}, caption);
}

bool Cabinet::restoreByHandle(qint64 handle) {
    const std::optional<int> shelf = shelves_.listedWithTag(QString::number(handle));
    if (!shelf)
        return false;
    chooseShelf(*shelf);
    return true;
}

void Cabinet::chooseShelf(int index) {
    if (index < 0 || index >= ShelfTable::Count || !shelves_.at(index).listed)
        return;
    const Shelf shelf = shelves_.at(index);
    // Off the shelf before the animation: choosing it again meanwhile finds
    // it empty instead of starting a second animation of the same window.
    takeOffShelf(index);
    shelves_.forgetWindow(index);
    // A window closed while it was put away has nothing to come back to.
    if (!shelf.window)
        return;
    expand(*shelf.window, shelf.saved.height, shelf.saved.width, shelf.saved.top, shelf.saved.left,
           false);
}

void Cabinet::showCabinet() {
    const CabinetPlace place = savedCabinetPlace();
    expand(*window_, CabinetHeight, CabinetWidth, place.top, place.left, false);
    if (window_)
        window_->startKeepingInFront();
}

void Cabinet::hideCabinet() {
    window_->stopKeepingInFront();
    collapse(*window_, QString(), false, true);
}

bool Cabinet::isPutAway(QWidget& window) const {
    return shelves_.listedWithTag(windowHandleText(window)).has_value();
}

void Cabinet::putOnShelf(QWidget& window, const ShelfPlace& saved, const QString& caption) {
    const std::optional<int> index =
        shelves_.put(&window, saved, caption, windowHandleText(window));
    if (!index)
        return;
    const Shelf& shelf = shelves_.at(*index);
    window_->listShelf(*index, shelf.caption, shelf.tag);
    if (!window_->isVisible())
        return;
    // The cabinet grows again in place, to show that it took something in.
    const TwipGeometry here = twipGeometryOf(*window_);
    expand(*window_, CabinetHeight, CabinetWidth, here.top, here.left, false);
    if (window_)
        window_->startKeepingInFront();
}

void Cabinet::takeOffShelf(int index) {
    shelves_.takeOff(index);
    window_->unlistShelf(index);
}

void Cabinet::saveWindowPlace() {
    const QPoint place = windowPositionTwips(*window_);
    saveCabinetPlace(place.x(), place.y());
}

Cabinet& cabinet() {
    SharedWindowSet& windows = sharedWindowSet();
    if (!windows.cabinet) {
        closeSharedWindowsWithApplication();
        windows.cabinet = new Cabinet(&sharedUtility());
    }
    return *windows.cabinet;
}

} // namespace XQTestDev
