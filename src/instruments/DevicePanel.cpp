#include "instruments/DevicePanel.h"

#include "frame/Clock.h"
#include "frame/MessageBox.h"
#include "frame/ScreenUnits.h"
#include "instruments/PanelClipButton.h"
#include "instruments/PanelReading.h"
#include "ui/Cabinet.h"
#include "ui/Pictures.h"
#include "ui/PopupMenu.h"
#include "ui/VerdictColours.h"
#include "ui/WindowDrag.h"
#include "ui/WindowHandle.h"
#include "ui/WindowParts.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>

namespace XQTestDev {

namespace {

// Design size and places, in twips.
constexpr int PanelWidth = 4200;
constexpr int PanelHeight = 1800;
constexpr int Margin = 120;
constexpr int LineHeight = 255;
constexpr int ButtonSize = 270;
constexpr int LampSize = 180;
constexpr int DisplayTop = 660;
constexpr int DisplayHeight = 660;

QFont panelFont(const QString& family, const QString& fallback, int points, bool bold) {
    QFont font;
    font.setFamilies({family, fallback});
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// What the station program gives the panel to show is shown as it is given.
QLabel* namedLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    QLabel* label = makeLabel(parent, QLatin1String(name), place, text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

DevicePanel::DevicePanel() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("frmPanelDevice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("GPIB instrument"));
    resizeWindowTwips(*this, PanelWidth, PanelHeight);
    setFixedSize(size());
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0xe2, 0xe8, 0xf0));
    look.setColor(QPalette::WindowText, QColor(0x0f, 0x17, 0x2a));
    setPalette(look);

    shpMainFrame_ = new QFrame(this);
    shpMainFrame_->setObjectName(QStringLiteral("shpMainFrame"));
    shpMainFrame_->setGeometry(rect());
    shpMainFrame_->setStyleSheet(QStringLiteral(
        "QFrame#shpMainFrame { border: 1px solid #64748b; border-top: 4px solid #2563eb; }"));
    createLabels();
    createLamp();
    createClipButton();

    tmrReadValueInterval_ = new ClockTimer(QStringLiteral("tmrReadValueInterval"), 0, this);
    reading_ = new PanelReading(*this, *tmrReadValueInterval_);
    connect(tmrReadValueInterval_, &ClockTimer::timeout, reading_, &PanelReading::runCycle);
}

DevicePanel::~DevicePanel() = default;

void DevicePanel::createLabels() {
    const int width = PanelWidth - 2 * Margin;
    const QFont arial =
        panelFont(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), 8, false);
    lblBrandModel_ = namedLabel(this, "lblBrandModel", QStringLiteral("Brand  Model"),
                                twipsRect(Margin, 120, width - ButtonSize - 60, LineHeight));
    lblBrandModel_->setFont(
        panelFont(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), 9, true));
    lblOptions_ = namedLabel(this, "lblOptions", QStringLiteral("CH A"),
                             twipsRect(Margin, 390, width / 2, LineHeight));
    lblParameter_ = namedLabel(this, "lblParameter", QStringLiteral("Parameter"),
                               twipsRect(Margin + width / 2, 390, width / 2, LineHeight));
    lblParameter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblStatus_ = namedLabel(this, "lblStatus", QStringLiteral("Remote"),
                            twipsRect(Margin + LampSize + 90, DisplayTop + DisplayHeight + 120,
                                      width - LampSize - 90, LineHeight));
    for (QLabel* label : {lblOptions_, lblParameter_, lblStatus_})
        label->setFont(arial);

    shpFrame_ = new QFrame(this);
    shpFrame_->setObjectName(QStringLiteral("shpFrame"));
    shpFrame_->setGeometry(twipsRect(Margin, DisplayTop, width, DisplayHeight));
    shpFrame_->setStyleSheet(QStringLiteral(
        "QFrame#shpFrame { background: #0f172a; border: 1px solid #334155; border-radius: 3px; }"));
    lblReadValue_ = namedLabel(this, "lblReadValue", QStringLiteral("--.--"),
                               twipsRect(Margin + 60, DisplayTop, width - 120, DisplayHeight));
    lblReadValue_->setFont(
        panelFont(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), 16, true));
    lblReadValue_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setDigitColor(0x80ff80); // light green on the dark display until a colour is set

    drag_ = new WindowDrag(*this);
    for (QLabel* label : {lblBrandModel_, lblOptions_, lblParameter_, lblStatus_, lblReadValue_})
        drag_->watch(label);
}

void DevicePanel::createLamp() {
    const QRect place = twipsRect(Margin, DisplayTop + DisplayHeight + 150, LampSize, LampSize);
    imgLED_ = namedLabel(this, "imgLED", QString(), place);
    imgLED_->setPixmap(libraryPicture(QStringLiteral("GREENON")));
    imgLED1_ = namedLabel(this, "imgLED1", QString(), place);
    imgLED1_->setPixmap(libraryPicture(QStringLiteral("GREENOFF")));
}

void DevicePanel::createClipButton() {
    const QRect place = twipsRect(PanelWidth - Margin - ButtonSize, 90, ButtonSize, ButtonSize);
    picClipControl1_ = namedLabel(this, "picClipControl1", QString(), place);
    picClipControl1_->setPixmap(libraryPicture(QStringLiteral("ROUNDBUTTONDOWN")));
    picClipControl_ = namedLabel(this, "picClipControl", QString(), place);
    picClipControl_->setPixmap(libraryPicture(QStringLiteral("ROUNDBUTTONUP")));
    picClipControl_->setToolTip(QStringLiteral("Hide"));
    for (QLabel* label : {picClipControl_, picClipControl1_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        drag_->watch(label);
    }
    clipButton_ = new PanelClipButton(*picClipControl_, *picClipControl1_);
    connect(clipButton_, &PanelClipButton::clicked, this, &DevicePanel::putAway);
    connect(clipButton_, &PanelClipButton::menuRequested, this, &DevicePanel::openMenu);

    mnuXQGPIB_ = new QMenu(this);
    mnuXQGPIB_->setObjectName(QStringLiteral("mnuXQGPIB"));
    QAction* hide = mnuXQGPIB_->addAction(QStringLiteral("Hide"));
    hide->setObjectName(QStringLiteral("mnuHide"));
    connect(hide, &QAction::triggered, this, &DevicePanel::putAway);
}

void DevicePanel::setLines(const QString& brandModel, const QString& option,
                           const QString& parameter, const QString& status) {
    lblBrandModel_->setText(brandModel);
    lblOptions_->setText(option);
    lblParameter_->setText(parameter);
    lblStatus_->setText(status);
}

void DevicePanel::setReadingText(const QString& text) {
    lblReadValue_->setText(text);
}

void DevicePanel::setDigitColor(int bgr) {
    lblReadValue_->setStyleSheet(
        QStringLiteral("color: %1;").arg(colourFromBgr(static_cast<std::uint32_t>(bgr)).name()));
}

void DevicePanel::toggleLamp() {
    imgLED1_->setVisible(!imgLED1_->isVisible());
}

void DevicePanel::putAway() {
    cabinet().collapse(*this, reading_->settings.cabReference);
}

void DevicePanel::unload() {
    unloading_ = true;
    cabinet().collapse(*this, QString(), true);
    unloading_ = false;
}

bool DevicePanel::isPutAway() {
    return cabinet().isPutAway(*this);
}

void DevicePanel::takeOutOfCabinet() {
    cabinet().restoreByHandle(XQTestDev::windowHandle(*this));
}

void DevicePanel::openMenu(const QPoint& globalPosition) {
    execPopupMenu(*mnuXQGPIB_, globalPosition);
}

void DevicePanel::closeEvent(QCloseEvent* event) {
    // Every close but the library's own unloading asks first.
    if (!unloading_ && showMessage(QStringLiteral("Are you sure to close the ") + windowTitle() +
                                       QStringLiteral("?"),
                                   MessageIcon::Question, MessageButtons::YesNo) != ResultYes) {
        event->ignore();
        return;
    }
    if (!reading_->settings.simulateMode)
        reading_->releaseReader();
    tmrReadValueInterval_->stop();
    event->accept();
}

} // namespace XQTestDev
