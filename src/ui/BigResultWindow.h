#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

namespace XQTestDev {

// The big verdict at the end of a run (frmBigResult): the PASS or the FAIL
// picture, blinking every 400 ms, and an OK button that closes it.
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
    // The picture that belongs to the result, or nullptr.
    QLabel* resultPicture() const;
    void blink();

    QLabel* lblResult_ = nullptr;
    QLabel* imgPass_ = nullptr;
    QLabel* imgFail_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QTimer* tmrBlink_ = nullptr;
};

} // namespace XQTestDev
