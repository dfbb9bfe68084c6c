#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace XQTestDev {

// What one InfoBox call asks for.
struct InfoBoxRequest {
    QString pictureOrMessage;
    int buttons = 0; // a vbMyMsgBoxStyle value; others keep the design
    bool showInputBox = false;
    QString inputText; // the input box's initial text
    bool lockInputBox = false;
    QString passwordChar; // empty: typed characters are shown
};

// The library's own message dialog (frmGeneralInfoBox): a message or a
// picture, up to three buttons and an optional input line. It only shows and
// collects; the caller places it and decides modal or not.
class InfoBoxDialog : public QDialog {
    Q_OBJECT

public:
    explicit InfoBoxDialog(const InfoBoxRequest& request, QWidget* parent = nullptr);
    ~InfoBoxDialog() override;

    // 0 until a button with a known caption is pressed.
    int resultCode() const { return result_; }
    // The input box's text when the button was pressed; empty before.
    QString inputText() const { return inputText_; }
    bool showsPicture() const { return showsPicture_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void applyGeometry(bool showInputBox);
    void applyButtonSet(int buttons);
    void applyInputBox(const InfoBoxRequest& request);
    void applyPasswordChar(const QString& passwordChar);
    void showPictureOrMessage(const QString& pictureOrMessage);
    void fitMessage(const QString& message);
    void pressButton(int index);

    bool inputBoxEvent(QEvent* event);
    void messageGotFocus(QEvent* event);

    QFrame* shpFrameMain_ = nullptr;
    QFrame* shpFrame_ = nullptr;
    QFrame* shpFrameInput_ = nullptr;
    QLabel* imgBox_ = nullptr;
    QTextEdit* txtMessage_ = nullptr;
    QLineEdit* txtInput_ = nullptr;
    std::array<QPushButton*, 3> cmdButtonSet_{};

    qint16 result_ = 0;
    QString inputText_;
    bool showsPicture_ = false;
};

} // namespace XQTestDev
