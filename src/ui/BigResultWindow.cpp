#include "ui/BigResultWindow.h"

#include "frame/Clock.h"
#include "frame/ScreenUnits.h"
#include "ui/Pictures.h"
#include "ui/WindowParts.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace XQTestDev {

namespace {

constexpr int BlinkInterval = 400; // ms
constexpr qreal DimOpacity = 0.45;

// Design size and places, in twips.
constexpr int WindowWidth = 6600;
constexpr int WindowHeight = 3480;
constexpr int PictureLeft = 900;
constexpr int PictureTop = 480;
constexpr int PictureWidth = 4800;
constexpr int PictureHeight = 1800;
constexpr int ButtonWidth = 1500;
constexpr int ButtonHeight = 480;
constexpr int ButtonTop = 2640;

QLabel* makeVerdictPicture(QWidget* parent, const QString& name, const QString& picture) {
    return makePicture(parent, name,
                       twipsRect(PictureLeft, PictureTop, PictureWidth, PictureHeight),
                       libraryPicture(picture));
}

// The picture faded half way towards the window's white.
QPixmap dimmed(const QPixmap& bright) {
    QPixmap dim(bright.size());
    dim.setDevicePixelRatio(bright.devicePixelRatio());
    dim.fill(Qt::transparent);
    QPainter painter(&dim);
    painter.setOpacity(DimOpacity);
    painter.drawPixmap(0, 0, bright);
    return dim;
}

} // namespace

BigResultWindow::BigResultWindow(const QString& resultText, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmBigResult"));
    setModal(true);
    setFixedSize(toPixelsX(WindowWidth), toPixelsY(WindowHeight));
    setStyleSheet(
        QStringLiteral("QDialog#frmBigResult { background: #ffffff; border: 1px solid #94a3b8; }"
                       "QPushButton#cmdOK { background: #1e293b; color: white; border: none;"
                       " border-radius: 6px; font-weight: bold; }"
                       "QPushButton#cmdOK:hover { background: #334155; }"
                       "QPushButton#cmdOK:pressed { background: #0f172a; }"));
    createControls();
    lblResult_->setText(resultText);
    if (resultText == QLatin1String("PASS"))
        resultPicture_ = imgPass_;
    else if (resultText == QLatin1String("FAIL"))
        resultPicture_ = imgFail_;
    if (resultPicture_) {
        brightPicture_ = resultPicture_->pixmap();
        dimPicture_ = dimmed(brightPicture_);
    }
}

BigResultWindow::~BigResultWindow() = default;

void BigResultWindow::createControls() {
    // The result text decides which picture is shown; the pictures carry the
    // word themselves.
    lblResult_ = new QLabel(this);
    lblResult_->setObjectName(QStringLiteral("lblResult"));
    lblResult_->hide();

    imgPass_ = makeVerdictPicture(this, QStringLiteral("imgPass"), QStringLiteral("XQPASS"));
    imgFail_ = makeVerdictPicture(this, QStringLiteral("imgFail"), QStringLiteral("XQFAIL"));

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(
        twipsRect((WindowWidth - ButtonWidth) / 2, ButtonTop, ButtonWidth, ButtonHeight));
    cmdOK_->setDefault(true);
    cmdOK_->setCursor(Qt::PointingHandCursor);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    tmrBlink_ = new ClockTimer(QStringLiteral("tmrBlink"), BlinkInterval, this);
    connect(tmrBlink_, &ClockTimer::timeout, this, &BigResultWindow::blink);
}

void BigResultWindow::showEvent(QShowEvent* event) {
    pictureShown_ = true;
    imgPass_->setVisible(resultPicture_ == imgPass_);
    imgFail_->setVisible(resultPicture_ == imgFail_);
    if (resultPicture_)
        resultPicture_->setPixmap(brightPicture_);
    tmrBlink_->start();
    cmdOK_->setFocus();
    QDialog::showEvent(event);
}

// The verdict blinks between bright and dim and never leaves the window
// blank: an operator who glances at it in the dim half still reads it.
void BigResultWindow::blink() {
    pictureShown_ = !pictureShown_;
    if (resultPicture_)
        resultPicture_->setPixmap(pictureShown_ ? brightPicture_ : dimPicture_);
}

} // namespace XQTestDev
