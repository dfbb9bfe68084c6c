#include "ui/InfoBoxDialog.h"

#include <XQTestDev/Messages.h>

#include "frame/ScreenUnits.h"
#include "ui/InfoBoxButtons.h"
#include "ui/InfoBoxLayout.h"
#include "ui/MessageFit.h"
#include "ui/PasswordCharStyle.h"
#include "ui/WindowDrag.h"

#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QTextOption>
#include <QTimer>

namespace XQTestDev {

namespace {

QFont arialFont(int pointSize, bool bold = false) {
    QFont font;
    // Arial where installed; a metric-compatible or plain sans face otherwise.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QFrame* makeFrame(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    return frame;
}

// The picture the message names, or a null image when it names no existing
// file or a file that is not a picture: then the message is shown as text.
QImage pictureNamedBy(const QString& pictureOrMessage) {
    if (pictureOrMessage.isEmpty() || !QFileInfo(pictureOrMessage).isFile())
        return {};
    QImageReader reader(pictureOrMessage);
    reader.setAutoTransform(true);
    return reader.read();
}

bool isMouseEvent(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
           event->type() == QEvent::MouseButtonRelease ||
           event->type() == QEvent::MouseButtonDblClick;
}

} // namespace

InfoBoxDialog::InfoBoxDialog(const InfoBoxRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmGeneralInfoBox"));
    setFont(arialFont(10));
    createControls();
    // Installed after the controls' own filters, so it sees the mouse first.
    auto* drag = new WindowDrag(*this);
    for (QWidget* handle :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(imgBox_), txtMessage_->viewport()})
        drag->watch(handle);
    applyGeometry(request.showInputBox);
    applyButtonSet(request.buttons);
    applyInputBox(request);
    showPictureOrMessage(request.pictureOrMessage);
}

InfoBoxDialog::~InfoBoxDialog() = default;

void InfoBoxDialog::createControls() {
    // Frames first, so that they lie beneath the controls they surround.
    shpFrameMain_ = makeFrame(this, "shpFrameMain");
    shpFrame_ = makeFrame(this, "shpFrame");
    shpFrameInput_ = makeFrame(this, "shpFrameInput");

    imgBox_ = new QLabel(this);
    imgBox_->setObjectName(QStringLiteral("imgBox"));
    imgBox_->setAlignment(Qt::AlignCenter);
    imgBox_->installEventFilter(this);

    txtMessage_ = new QTextEdit(this);
    txtMessage_->setObjectName(QStringLiteral("txtMessage"));
    txtMessage_->setReadOnly(true);
    txtMessage_->setAcceptRichText(false);
    txtMessage_->setFrameShape(QFrame::NoFrame);
    txtMessage_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtMessage_->setFont(arialFont(11, true));
    txtMessage_->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    txtMessage_->installEventFilter(this);
    txtMessage_->viewport()->installEventFilter(this);

    txtInput_ = new QLineEdit(this);
    txtInput_->setObjectName(QStringLiteral("txtInput"));
    txtInput_->setFont(arialFont(11));
    txtInput_->installEventFilter(this);

    for (int index = 0; index < InfoBoxButtonCount; ++index) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdButtonSet_%1").arg(index));
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, index] { pressButton(index); });
        cmdButtonSet_[static_cast<size_t>(index)] = button;
    }

    // Tab order: message, input box, then the buttons as they stand, left to
    // right.
    setTabOrder(txtMessage_, txtInput_);
    setTabOrder(txtInput_, cmdButtonSet_[2]);
    setTabOrder(cmdButtonSet_[2], cmdButtonSet_[1]);
    setTabOrder(cmdButtonSet_[1], cmdButtonSet_[0]);
}

void InfoBoxDialog::applyGeometry(bool showInputBox) {
    const InfoBoxGeometry g = infoBoxGeometry(showInputBox);
    setFixedSize(toPixelsX(g.dialog.width()), toPixelsY(g.dialog.height()));
    shpFrameMain_->setGeometry(twipsRect(g.frameMain));
    shpFrame_->setGeometry(twipsRect(g.frame));
    imgBox_->setGeometry(twipsRect(g.picture));
    txtMessage_->setGeometry(twipsRect(g.picture));
    shpFrameInput_->setGeometry(twipsRect(g.frameInput));
    txtInput_->setGeometry(twipsRect(g.input));
}

void InfoBoxDialog::applyButtonSet(int buttons) {
    // A value outside the table keeps the buttons as designed.
    const InfoBoxButtonSet set = infoBoxButtonSet(buttons).value_or(designedInfoBoxButtons());
    std::array<bool, 3> visible{};
    for (size_t index = 0; index < cmdButtonSet_.size(); ++index) {
        const InfoBoxButton& look = set.buttons[index];
        visible[index] = look.visible();
        cmdButtonSet_[index]->setText(look.caption);
        cmdButtonSet_[index]->setVisible(look.visible());
    }
    const std::array<QRect, 3> rects = infoBoxButtonRects(infoBoxGeometry(false), visible);
    for (size_t index = 0; index < cmdButtonSet_.size(); ++index)
        cmdButtonSet_[index]->setGeometry(twipsRect(rects[index]));
    QPushButton* focusButton = cmdButtonSet_[static_cast<size_t>(set.focusButton)];
    focusButton->setDefault(true);
    focusButton->setFocus();
}

void InfoBoxDialog::applyInputBox(const InfoBoxRequest& request) {
    txtInput_->setVisible(request.showInputBox);
    shpFrameInput_->setVisible(request.showInputBox);
    if (!request.showInputBox)
        return;
    applyPasswordChar(request.passwordChar);
    txtInput_->setText(request.inputText);
    if (request.lockInputBox) {
        txtInput_->setReadOnly(true);
        // Still clickable, but Tab passes it by.
        txtInput_->setFocusPolicy(Qt::ClickFocus);
        return;
    }
    // The operator is asked to type: the input box takes the opening focus
    // (its text selected), and Enter there moves on to the buttons.
    txtInput_->setFocus();
}

void InfoBoxDialog::applyPasswordChar(const QString& passwordChar) {
    if (passwordChar.isEmpty()) {
        txtInput_->setEchoMode(QLineEdit::Normal);
        return;
    }
    // One mask character per typed character: a longer text masks with its
    // first character.
    const QList<uint> characters = passwordChar.toUcs4();
    auto* style = new PasswordCharStyle(static_cast<char32_t>(characters.first()));
    // Parented after the input box, so the box goes first when the dialog is
    // destroyed and never sees its style deleted under it.
    style->setParent(this);
    txtInput_->setStyle(style);
    txtInput_->setEchoMode(QLineEdit::Password);
}

void InfoBoxDialog::showPictureOrMessage(const QString& pictureOrMessage) {
    const QImage picture = pictureNamedBy(pictureOrMessage);
    showsPicture_ = !picture.isNull();
    imgBox_->setVisible(showsPicture_);
    txtMessage_->setVisible(!showsPicture_);
    if (!showsPicture_) {
        txtMessage_->setPlainText(pictureOrMessage);
        fitMessage(pictureOrMessage);
        return;
    }
    txtMessage_->clear();
    QPixmap pixmap = QPixmap::fromImage(picture);
    // A picture larger than the area is shown whole, scaled down.
    if (pixmap.width() > imgBox_->width() || pixmap.height() > imgBox_->height())
        pixmap = pixmap.scaled(imgBox_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imgBox_->setPixmap(pixmap);
}

// A message of more lines than the area holds at the designed size (the
// wrong-password prompt, with its four line breaks, is one) is set smaller
// rather than cut or scrolled.
void InfoBoxDialog::fitMessage(const QString& message) {
    constexpr int SmallestMessagePointSize = 8;
    const MessageArea area{txtMessage_->contentsRect().size(),
                           txtMessage_->document()->documentMargin()};
    txtMessage_->setFont(
        fittingMessageFont(message, arialFont(11, true), area, SmallestMessagePointSize));
}

void InfoBoxDialog::pressButton(int index) {
    const QPushButton* button = cmdButtonSet_[static_cast<size_t>(index)];
    if (const std::optional<int> code = infoBoxResultForCaption(button->text()))
        result_ = static_cast<qint16>(*code);
    inputText_ = txtInput_->text();
    done(result_);
}

bool InfoBoxDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtInput_)
        return inputBoxEvent(event);
    if (watched == txtMessage_) {
        if (event->type() == QEvent::FocusIn)
            messageGotFocus(event);
        return false;
    }
    // The message and the picture only move the dialog (through the drag
    // helper, which sees the mouse first); they never select text.
    if (watched == imgBox_ || watched == txtMessage_->viewport())
        return isMouseEvent(event);
    return QDialog::eventFilter(watched, event);
}

bool InfoBoxDialog::inputBoxEvent(QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // After the event, so that a mouse click does not undo the selection.
        QTimer::singleShot(0, txtInput_, [box = txtInput_] { box->selectAll(); });
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A barcode scanner ends what it types with Enter: one scan
            // answers the dialog with the button that has the opening focus.
            for (QPushButton* button : cmdButtonSet_) {
                if (button->isDefault() && button->isVisible() && button->isEnabled()) {
                    button->click();
                    return true;
                }
            }
            focusNextChild();
            return true;
        }
    }
    return false;
}

void InfoBoxDialog::messageGotFocus(QEvent* event) {
    // The message never keeps the focus: it passes on in the direction it
    // came from, so Shift+Tab does not bounce back.
    const bool backwards = static_cast<QFocusEvent*>(event)->reason() == Qt::BacktabFocusReason;
    QTimer::singleShot(0, this, [this, backwards] {
        if (!txtMessage_->hasFocus())
            return;
        if (backwards)
            focusPreviousChild();
        else
            focusNextChild();
    });
}

void InfoBoxDialog::keyPressEvent(QKeyEvent* event) {
    // Only a button answers the dialog: Escape presses Cancel where there is
    // one, and never closes the dialog unanswered.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        for (QPushButton* button : cmdButtonSet_) {
            if (button->isVisible() && button->isEnabled() &&
                infoBoxResultForCaption(button->text()) == static_cast<int>(ResultCancel)) {
                button->click();
                return;
            }
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace XQTestDev
