#include "virtual/VirtualDeviceWindow.h"

#include "frame/ScreenUnits.h"
#include "ui/Cabinet.h"
#include "ui/DialogKeys.h"
#include "ui/PopupMenu.h"
#include "ui/VerdictColours.h"
#include "ui/WindowDrag.h"
#include "virtual/PanelLook.h"
#include "virtual/PressPictures.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace XQTestDev {

namespace {

// Design size and places, in twips (15 to the pixel at 96 dpi).
constexpr int WindowWidth = 4500;
constexpr int WindowHeight = 2250;
constexpr int LampSize = 180;
constexpr int ButtonSize = 270;
constexpr int ValuePixels = 34;
const QRect LampPlace(165, 165, LampSize, LampSize);
const QRect MessagePlace(435, 120, 3570, 285);
const QRect ClipPlace(WindowWidth - ButtonSize - 120, 120, ButtonSize, ButtonSize);
const QRect ValuePlace(150, 540, WindowWidth - 300, 840);
const QRect OKPlace(1050, 1590, 1125, 435);
const QRect CancelPlace(2325, 1590, 1125, 435);

} // namespace

QSize VirtualDeviceWindow::designTwips() {
    return {WindowWidth, WindowHeight};
}

VirtualDeviceWindow::VirtualDeviceWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmVirtualDevice"));
    resizeWindowTwips(*this, WindowWidth, WindowHeight);
    paintPanelFace(*this);
    createControls();
}

VirtualDeviceWindow::~VirtualDeviceWindow() = default;

void VirtualDeviceWindow::createControls() {
    auto* drag = new WindowDrag(*this);
    drag->watch(this);

    pictureLabel(this, QStringLiteral("GREENON"), QStringLiteral("imgLED"), LampPlace);
    imgLED1_ = pictureLabel(this, QStringLiteral("GREENOFF"), QStringLiteral("imgLED1"), LampPlace);

    txtMessage_ = new QLineEdit(this);
    txtMessage_->setObjectName(QStringLiteral("txtMessage"));
    txtMessage_->setGeometry(twipsRect(MessagePlace));
    txtMessage_->setReadOnly(true);
    txtMessage_->setFocusPolicy(Qt::NoFocus);
    txtMessage_->setFrame(false);
    txtMessage_->setFont(arial(12, false));
    QPalette lineLook = txtMessage_->palette();
    lineLook.setColor(QPalette::Base, DisplayFace);
    lineLook.setColor(QPalette::Text, PanelText);
    txtMessage_->setPalette(lineLook);
    drag->watch(txtMessage_);

    lblValue_ = new QLabel(QStringLiteral("--.--"), this);
    lblValue_->setObjectName(QStringLiteral("lblValue"));
    lblValue_->setGeometry(twipsRect(ValuePlace));
    lblValue_->setAlignment(Qt::AlignCenter);
    lblValue_->setTextFormat(Qt::PlainText);
    lblValue_->setFont(arial(ValuePixels, true));
    lblValue_->setAutoFillBackground(true);
    QPalette valueLook = lblValue_->palette();
    valueLook.setColor(QPalette::Window, DisplayFace);
    valueLook.setColor(QPalette::WindowText, PanelText);
    lblValue_->setPalette(valueLook);
    drag->watch(lblValue_);
    failMark_ = makeFailMark(*lblValue_);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(twipsRect(OKPlace));
    connect(cmdOK_, &QPushButton::clicked, this, &VirtualDeviceWindow::okPressed);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setGeometry(twipsRect(CancelPlace));
    connect(cmdCancel_, &QPushButton::clicked, this, &VirtualDeviceWindow::cancelPressed);
    new DialogKeys(*this, cmdOK_, cmdCancel_);

    QLabel* pressed = pictureLabel(this, QStringLiteral("ROUNDBUTTONDOWN"),
                                   QStringLiteral("picClipControl1"), ClipPlace);
    QLabel* released = pictureLabel(this, QStringLiteral("ROUNDBUTTONUP"),
                                    QStringLiteral("picClipControl"), ClipPlace);
    released->setCursor(Qt::PointingHandCursor);
    released->setToolTip(QStringLiteral("Hide"));
    clipControl_ = new PressPictures(released, pressed);
    connect(clipControl_, &PressPictures::clicked, this, &VirtualDeviceWindow::putAway);
    connect(clipControl_, &PressPictures::menuRequested, this, &VirtualDeviceWindow::openMenu);

    mnuXQVirtualDevice_ = new QMenu(this);
    mnuXQVirtualDevice_->setObjectName(QStringLiteral("mnuXQVirtualDevice"));
    QAction* hide = mnuXQVirtualDevice_->addAction(QStringLiteral("Hide"));
    hide->setObjectName(QStringLiteral("mnuHide"));
    connect(hide, &QAction::triggered, this, &VirtualDeviceWindow::putAway);
}

void VirtualDeviceWindow::setMessage(const QString& text) {
    // The same message again leaves the line where the operator scrolled it.
    if (message_ == text)
        return;
    message_ = text;
    txtMessage_->setText(text);
    txtMessage_->setCursorPosition(0);
}

void VirtualDeviceWindow::showValue(const QString& text, bool failed) {
    showReadout(*lblValue_, *failMark_, text, failed, ValuePixels);
}

void VirtualDeviceWindow::paintVerdict(int colour) {
    if (colour == colourShown_)
        return;
    colourShown_ = colour;
    const QColor shown = colourFromBgr(static_cast<std::uint32_t>(colour));
    QPalette look = lblValue_->palette();
    look.setColor(QPalette::WindowText, shown);
    lblValue_->setPalette(look);
    failMark_->setPalette(look);
    QPalette lineLook = txtMessage_->palette();
    lineLook.setColor(QPalette::Text, shown);
    txtMessage_->setPalette(lineLook);
}

void VirtualDeviceWindow::toggleActivityLight() {
    imgLED1_->setVisible(imgLED1_->isHidden());
}

void VirtualDeviceWindow::putAway() {
    cabinet().collapse(*this, cabinetCaption);
}

void VirtualDeviceWindow::openMenu(const QPoint& globalPosition) {
    execPopupMenu(*mnuXQVirtualDevice_, globalPosition);
}

} // namespace XQTestDev
