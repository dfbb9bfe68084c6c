#pragma once

#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QMenu;

namespace XQTestDev {

class ClockTimer;

class WindowDrag;

// The cabinet (frmCabinet): a tiny window showing the cabinet logo. Its
// pop-up menu lists the windows put away on its 30 shelves, then "Hide
// Cabinet", the background item and the Always on Top item. It only shows
// and forwards; the shelves themselves are the Cabinet's.
class CabinetWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int ShelfItems = 30;

    explicit CabinetWindow(QWidget* parent = nullptr);
    ~CabinetWindow() override;

    void listShelf(int index, const QString& caption, const QString& tag);
    void unlistShelf(int index);
    QAction* shelfItem(int index) const;
    QMenu& menu() const { return *mnuCabinet_; }

    // The 250 ms timer that keeps the cabinet in front.
    void startKeepingInFront();
    void stopKeepingInFront();
    bool keepsInFront() const;

signals:
    void shelfChosen(int index);
    void hideCabinetChosen();
    // The operator let go of the cabinet after dragging it.
    void dropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createMenu();
    void tick();
    void showBackgroundCaption();
    void switchAlwaysOnTop();

    QLabel* imgLogo_ = nullptr;
    QMenu* mnuCabinet_ = nullptr;
    std::array<QAction*, ShelfItems> mnuShelf_{};
    QAction* mnuHideCabinet_ = nullptr;
    QAction* mnuBackground_ = nullptr;
    QAction* mnuAlwaysOnTop_ = nullptr;
    bool onTopDisabledByOperator_ = false; // the menu entry offers "Enable Always on Top"
    ClockTimer* tmrCabinet_ = nullptr;
    WindowDrag* drag_ = nullptr;
};

} // namespace XQTestDev
