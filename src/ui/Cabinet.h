#pragma once

#include "ui/CabinetShelves.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace XQTestDev {

class CabinetWindow;

// The cabinet into which the library's small windows are put away: a tiny
// window kept in front of the others, whose menu lists up to 30 windows put
// away, one per shelf; choosing one brings it back. Putting away and bringing
// back are animated in 30 steps that let pending events run.
//
// Every window of the library uses the one cabinet of the shared utility
// object: `cabinet().collapse(*this, caption)` and so on.
class Cabinet : public QObject {
    Q_OBJECT

public:
    explicit Cabinet(QObject* parent = nullptr);
    ~Cabinet() override;

    // Shrinks the window to its centre and hides it; then closes it (unload),
    // or leaves it hidden (keepOff), or puts it on the first free shelf under
    // `caption` (its handle number when empty). A full cabinet drops it
    // silently: it stays hidden. Unloading closes the window the way code
    // does (a close event that is not spontaneous).
    void collapse(QWidget& window, const QString& caption = QString(), bool unload = false,
                  bool keepOff = false);

    // Shows the window and grows it from its centre to the given size and
    // place (twips). A size of 0 x 0 shows nothing and asks for the test menu
    // instead (menuShowRequested). With takeOff the window's shelf is freed.
    void expand(QWidget& window, int height, int width, int top, int left, bool takeOff);

    // Puts a window on a free shelf without animation, with no saved size:
    // choosing it asks for the test menu to be shown.
    void addToCabinet(QWidget& window, const QString& caption);

    // As if the operator chose the shelf that lists this window handle;
    // false when no shelf lists it.
    bool restoreByHandle(qint64 handle);
    // Brings back the window on the shelf, as choosing it in the menu does.
    void chooseShelf(int index);

    // Opens the cabinet at its saved place (or the default one); closes it
    // with the shrinking animation, off the shelves.
    void showCabinet();
    void hideCabinet();

    // Whether a shelf lists this window (it was put away and not chosen).
    bool isPutAway(QWidget& window) const;

    const ShelfTable& shelves() const { return shelves_; }
    CabinetWindow& window() const;

signals:
    // A window put away without a size (the test menu's header) was taken
    // out: the menu object that owns it shows its menu.
    void menuShowRequested(QWidget* window);

private:
    void putOnShelf(QWidget& window, const ShelfPlace& saved, const QString& caption);
    void takeOffShelf(int index);
    void saveWindowPlace();

    ShelfTable shelves_;
    QPointer<CabinetWindow> window_;
};

// The shared utility object's cabinet, created on first use.
Cabinet& cabinet();

} // namespace XQTestDev
