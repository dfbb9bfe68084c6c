#include "ui/BackgroundWindow.h"

#include "frame/Clock.h"
#include "frame/LibraryState.h"
#include "ui/Background.h"
#include "ui/PopupMenu.h"
#include "ui/VerdictColours.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

namespace XQTestDev {

namespace {
constexpr int SendToBackInterval = 150; // ms
}

BackgroundWindow::BackgroundWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmDummy"));
    setAutoFillBackground(true);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    measureScreen();

    mnuBackground_ = new QMenu(this);
    mnuBackground_->setObjectName(QStringLiteral("mnuBackground"));
    mnuHideBackground_ = mnuBackground_->addAction(QStringLiteral("Hide Background"));
    mnuHideBackground_->setObjectName(QStringLiteral("mnuHideBackground"));
    mnuSendToBack_ = mnuBackground_->addAction(QStringLiteral("Send to Back"));
    mnuSendToBack_->setObjectName(QStringLiteral("mnuSendToBack"));
    connect(mnuHideBackground_, &QAction::triggered, this, [] { toggleBackground(); });
    connect(mnuSendToBack_, &QAction::triggered, this, [this] { lower(); });

    tmrSendToBack_ = new ClockTimer(QStringLiteral("tmrSendToBack"), SendToBackInterval, this);
    connect(tmrSendToBack_, &ClockTimer::timeout, this,
            &BackgroundWindow::sendToBackUnlessSuspended);
}

BackgroundWindow::~BackgroundWindow() = default;

void BackgroundWindow::setColour(int bgr) {
    const QColor colour = colourFromBgr(static_cast<std::uint32_t>(bgr));
    QPalette look = palette();
    look.setColor(QPalette::Window, colour);
    setPalette(look);
}

void BackgroundWindow::startSendingToBack() {
    tmrSendToBack_->start();
}

void BackgroundWindow::sendToBackUnlessSuspended() {
    if (!library().onTopSuspended)
        lower();
}

void BackgroundWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    execPopupMenu(*mnuBackground_, event->globalPosition().toPoint());
}

} // namespace XQTestDev
