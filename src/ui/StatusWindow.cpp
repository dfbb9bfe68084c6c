#include "ui/StatusWindow.h"

#include "frame/ScreenUnits.h"
#include "ui/Cabinet.h"
#include "ui/ElidedLabel.h"
#include "ui/PopupMenu.h"
#include "ui/RoundButton.h"
#include "ui/WindowDrag.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>

namespace XQTestDev {

namespace {

// Design size and places, in twips.
constexpr int WindowWidth = 5100;
constexpr int WindowHeight = 1200;
constexpr int LineLeft = 180;
constexpr int LineTop = 105;
constexpr int LineWidth = 4500;
constexpr int LineHeight = 255;
constexpr int ButtonSize = 270;
constexpr int ButtonLeft = WindowWidth - ButtonSize - 90;
constexpr int ButtonTop = 90;

QFont verdana(bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Bitstream Vera Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setBold(bold);
    return font;
}

} // namespace

StatusWindow::StatusWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmGeneralInfo"));
    resizeWindowTwips(*this, WindowWidth, WindowHeight);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0xf8, 0xfa, 0xfc));
    look.setColor(QPalette::WindowText, QColor(0x0f, 0x17, 0x2a));
    setPalette(look);
    createControls();
}

StatusWindow::~StatusWindow() = default;

void StatusWindow::createControls() {
    shpFrame_ = new QFrame(this);
    shpFrame_->setObjectName(QStringLiteral("shpFrame"));
    shpFrame_->setGeometry(rect());
    shpFrame_->setStyleSheet(QStringLiteral(
        "QFrame#shpFrame { border: 1px solid #94a3b8; border-left: 4px solid #2563eb; }"));

    drag_ = new WindowDrag(*this);
    for (int index = 0; index < LineCount; ++index) {
        // A line longer than the window ends in "…", never cut mid-character.
        auto* label = new ElidedLabel(this);
        label->setObjectName(QStringLiteral("lblInfo_%1").arg(index));
        label->setFont(verdana(index == 0));
        label->setGeometry(
            twipsRect(LineLeft, LineTop + index * LineHeight, LineWidth, LineHeight));
        drag_->watch(label);
        lblInfo_[static_cast<size_t>(index)] = label;
    }

    picClipControl_ = new RoundButton(this);
    picClipControl_->setObjectName(QStringLiteral("picClipControl"));
    picClipControl_->setGeometry(twipsRect(ButtonLeft, ButtonTop, ButtonSize, ButtonSize));
    picClipControl_->setToolTip(QStringLiteral("Hide"));
    connect(picClipControl_, &RoundButton::clicked, this, &StatusWindow::putAway);
    connect(picClipControl_, &RoundButton::menuRequested, this, &StatusWindow::openMenu);

    mnuStatus_ = new QMenu(this);
    mnuStatus_->setObjectName(QStringLiteral("mnuStatus"));
    mnuHide_ = mnuStatus_->addAction(QStringLiteral("Hide"));
    mnuHide_->setObjectName(QStringLiteral("mnuHide"));
    connect(mnuHide_, &QAction::triggered, this, &StatusWindow::putAway);
}

void StatusWindow::setLine(int lineNumber, const QString& text) {
    lblInfo_.at(static_cast<size_t>(lineNumber))->setFullText(text);
}

QString StatusWindow::line(int lineNumber) const {
    return lblInfo_.at(static_cast<size_t>(lineNumber))->text();
}

void StatusWindow::clearLines() {
    for (ElidedLabel* label : lblInfo_)
        label->setFullText(QString());
}

void StatusWindow::bringToFrontIfShown() {
    if (isVisible())
        raise();
}

void StatusWindow::putAway() {
    cabinet().collapse(*this, QStringLiteral("Status Panal"));
}

void StatusWindow::openMenu(const QPoint& globalPosition) {
    execPopupMenu(*mnuStatus_, globalPosition);
}

} // namespace XQTestDev
