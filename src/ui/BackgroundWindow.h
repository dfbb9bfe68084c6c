#pragma once

#include <QWidget>

class QAction;
class QMenu;

namespace XQTestDev {

class ClockTimer;

// The full-screen background (frmDummy) that hides the desktop behind the
// station's windows. It keeps itself behind every other window, and its menu
// hides it or sends it back at once.
class BackgroundWindow : public QWidget {
    Q_OBJECT

public:
    // Loading measures the usable screen again.
    explicit BackgroundWindow(QWidget* parent = nullptr);
    ~BackgroundWindow() override;

    // A colour as 0x00BBGGRR.
    void setColour(int bgr);
    void startSendingToBack();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void sendToBackUnlessSuspended();

    QMenu* mnuBackground_ = nullptr;
    QAction* mnuHideBackground_ = nullptr;
    QAction* mnuSendToBack_ = nullptr;
    ClockTimer* tmrSendToBack_ = nullptr;
};

} // namespace XQTestDev
