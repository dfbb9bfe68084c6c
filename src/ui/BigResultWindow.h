#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;
class QPushButton;

namespace XQTestDev {

class ClockTimer;

// The big verdict at the end of a run (frmBigResult): the PASS or the FAIL
// picture, blinking between bright and dim every 400 ms, and an OK button
// that closes it.
class BigResultWindow : public QDialog {
    Q_OBJECT

public:
    // "PASS" shows the PASS picture, "FAIL" the FAIL picture, any other text
    // neither.
    explicit BigResultWindow(const QString& resultText, QWidget* parent = nullptr);
    ~BigResultWindow() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void blink();

    QLabel* lblResult_ = nullptr;
    QLabel* imgPass_ = nullptr;
    QLabel* imgFail_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    ClockTimer* tmrBlink_ = nullptr;
    QLabel* resultPicture_ = nullptr; // the picture of the result, none for other texts
    bool pictureShown_ = false;       // the blink's phase: bright
    QPixmap brightPicture_;
    QPixmap dimPicture_;
};

} // namespace XQTestDev
