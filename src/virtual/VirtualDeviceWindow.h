#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace XQTestDev {

class PressPictures;

// The virtual device's panel (frmVirtualDevice): a message line, the value
// shown large, OK and Cancel, the activity light, and the circular button
// that puts the panel away into the cabinet. It shows what its object tells
// it and forwards the operator's presses.
class VirtualDeviceWindow : public QWidget {
    Q_OBJECT

public:
    static QSize designTwips();

    explicit VirtualDeviceWindow(QWidget* parent = nullptr);
    ~VirtualDeviceWindow() override;

    // The caption of the panel's cabinet shelf.
    QString cabinetCaption;

    void setMessage(const QString& text);
    // The reading as the value label's text; a failed one is marked beside it.
    void showValue(const QString& text, bool failed);
    // The colour (0x00BBGGRR) of the value label and of the message line.
    void paintVerdict(int colour);
    // The activity light changes each time a value arrives.
    void toggleActivityLight();

    // Shrinks the panel into the cabinet under its cabinet caption.
    void putAway();

signals:
    void okPressed();
    void cancelPressed();

private:
    void createControls();
    void openMenu(const QPoint& globalPosition);

    QLineEdit* txtMessage_ = nullptr;
    QString message_; // what txtMessage shows
    QLabel* lblValue_ = nullptr;
    QLabel* failMark_ = nullptr; // "✗" beside a failed reading
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QLabel* imgLED1_ = nullptr;
    PressPictures* clipControl_ = nullptr;
    QMenu* mnuXQVirtualDevice_ = nullptr;
    int colourShown_ = -1; // none painted yet
};

} // namespace XQTestDev
