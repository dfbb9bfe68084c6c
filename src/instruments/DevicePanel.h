#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QMenu;

namespace XQTestDev {

class ClockTimer;

class PanelClipButton;
class PanelReading;
class WindowDrag;

// The instrument's front panel (frmPanelDevice): brand and model, three free
// lines, the reading with its unit, the activity lamp, and the circular
// button that puts the panel away into the cabinet. It owns the reading timer
// and the reading cycle (PanelReading). Closing it by the operator asks first.
class DevicePanel : public QWidget {
    Q_OBJECT

public:
    DevicePanel();
    ~DevicePanel() override;

    PanelReading& reading() const { return *reading_; }

    void setLines(const QString& brandModel, const QString& option, const QString& parameter,
                  const QString& status);
    void setReadingText(const QString& text);
    void setDigitColor(int bgr);
    void toggleLamp();

    void putAway();
    // Closes and unloads it without asking (Done).
    void unload();
    bool isPutAway();
    void takeOutOfCabinet();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createLabels();
    void createLamp();
    void createClipButton();
    void openMenu(const QPoint& globalPosition);

    QFrame* shpMainFrame_ = nullptr;
    QFrame* shpFrame_ = nullptr;
    QLabel* lblBrandModel_ = nullptr;
    QLabel* lblOptions_ = nullptr;
    QLabel* lblParameter_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblReadValue_ = nullptr;
    QLabel* imgLED_ = nullptr;
    QLabel* imgLED1_ = nullptr;
    QLabel* picClipControl_ = nullptr;
    QLabel* picClipControl1_ = nullptr;
    QMenu* mnuXQGPIB_ = nullptr;
    ClockTimer* tmrReadValueInterval_ = nullptr;
    PanelClipButton* clipButton_ = nullptr;
    WindowDrag* drag_ = nullptr;
    PanelReading* reading_ = nullptr;
    bool unloading_ = false;
};

} // namespace XQTestDev
