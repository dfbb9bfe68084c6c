#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

namespace XQTestDev {

// Deferred deletes for windows whose owner may be going away inside one of
// the window's own events.
void hideAndDeleteLater(QWidget* window);
// Done: the window goes into the cabinet for good, then away.
void unloadAndDeleteLater(QPointer<QWidget> window);

// A window an instrument object opens on first use and owns through a
// pointer that notices when the window is gone. After Done, or once the
// operator closed it, the next use opens a fresh one.
template <typename Window> class OwnedWindow {
public:
    // `opened` connects each fresh window to its owner.
    explicit OwnedWindow(std::function<void(Window&)> opened) : opened_(std::move(opened)) {}
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    ~OwnedWindow() { hideAndDeleteLater(release()); }

    Window& get() {
        if (!window_) {
            window_ = new Window;
            opened_(*window_);
        }
        return *window_;
    }

    Window* existing() const { return window_.data(); }

    // The window leaves this owner; a later use opens a fresh one.
    Window* release() {
        Window* window = window_.data();
        window_ = nullptr;
        return window;
    }

    void unload() { unloadAndDeleteLater(release()); }

private:
    std::function<void(Window&)> opened_;
    QPointer<Window> window_;
};

} // namespace XQTestDev
