#include "run/HeaderWindow.h"

#include "frame/Clock.h"
#include "frame/ScreenUnits.h"
#include "run/CustomerLogo.h"
#include "run/HeaderPictures.h"
#include "run/ResultColours.h"
#include "ui/FitLabel.h"
#include "ui/Pictures.h"
#include "ui/PopupMenu.h"
#include "ui/ScaledWindow.h"
#include "ui/WindowParts.h"

#include <QAction>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>

namespace XQTestDev {

namespace {

constexpr int ClockIntervalMs = 400;
// The identity column runs up to the verdict picture, so that a long serial
// number reads whole; its first four rows (station, operator, serial number,
// test ID) also reach left over the product column, above the page controls.
constexpr int IdentityLeft = 356;
constexpr int IdentityWidth = 212;
constexpr int WideIdentityLeft = 300;
constexpr int ProductWidth = WideIdentityLeft - 4 - 120;
// The badge's own proportions (8:3) at the header's width for it; the note
// of lines not tested has two lines under it, clear of the buttons.
const QRect VerdictPlace(572, 2, 90, 40);
const QRect UntestedPlace(570, 44, 94, 44);

QLabel* makeFitLabel(QWidget* parent, const char* name, const QRect& at) {
    return nameAndPlace(new FitLabel(parent), QLatin1String(name), at);
}

// The header's pictures are painted for their place or scaled to it.
QLabel* makeFittedPicture(QWidget* parent, const QString& name, const QRect& at,
                          const QPixmap& pixmap) {
    return makePicture(parent, name, at, pixmap, PictureFit::ScaledToFit);
}

void setBold(QWidget* widget, qreal pointSize) {
    QFont font = widget->font();
    font.setBold(true);
    font.setPointSizeF(pointSize);
    widget->setFont(font);
}

// Beside the verdict, in the fail colour and steady (the verdict blinks): a
// PASS over a unit with lines never tested is not a whole pass.
void buildUntestedNote(QLabel& note) {
    QFont font = note.font();
    font.setBold(true);
    font.setPointSizeF(8);
    note.setFont(font);
    QPalette look = note.palette();
    look.setColor(QPalette::WindowText, toQColor(ValueColour::Red));
    note.setPalette(look);
    note.hide();
}

struct EntryCaption {
    HeaderWindow::MenuEntry entry;
    const char* objectName;
    const char* caption;
    bool separatorAfter;
};

constexpr EntryCaption MenuEntries[] = {
    {HeaderWindow::MenuEntry::OpenAteIni, "mnuOpenATEINI", "Open ATE.INI", false},
    {HeaderWindow::MenuEntry::OpenProductsIni, "mnuOpenProductsINI", "Open PRODUCTS.INI", false},
    {HeaderWindow::MenuEntry::OpenLastReport, "mnuOpenLastReport", "Open Last Report", true},
    {HeaderWindow::MenuEntry::Calibration, "mnuCalibration", "Calibration", false},
    {HeaderWindow::MenuEntry::Diagnostic, "mnuDiagnostic", "Diagnostic", true},
    {HeaderWindow::MenuEntry::ShowCabinet, "mnuShowCabinet", "Show Cabinet", true},
    {HeaderWindow::MenuEntry::Hide, "mnuHide", "Hide", true},
    {HeaderWindow::MenuEntry::About, "mnuAbout", "About", false},
};

constexpr const char* StatusNames[] = {"imgUnknownStatus", "imgAllOK", "imgSQLFailed",
                                       "imgNWDriveFailed", "imgAllFailed"};

} // namespace

HeaderWindow::HeaderWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmHeaderMenu"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    resizeWindowTwips(*this, Width, Height);

    tmrTime_ = new ClockTimer(QStringLiteral("tmrTime"), ClockIntervalMs, this);

    buildLabels();
    buildPictures();
    buildButtons();
    buildMenu();
}

HeaderWindow::~HeaderWindow() = default;

void HeaderWindow::buildLabels() {
    // The unit's identity must be read whole: these labels fit their text.
    setBold(makeFitLabel(this, "lblProductName", {120, 2, ProductWidth, 24}), 12);
    makeFitLabel(this, "lblCustomerName", {120, 26, ProductWidth, 18});
    makeFitLabel(this, "lblCustomerPN", {120, 44, ProductWidth, 18});
    makeLabel(this, "lblCurrentTime", {120, 64, ProductWidth, 18});
    setBold(makeLabel(this, "lblHPU_0", {120, 88, 40, 20}, QStringLiteral("HPU:")), 9);
    setBold(makeLabel(this, "lblHPU_1", {160, 88, 64, 20}, QStringLiteral("00:00:00")), 9);
    makeLabel(this, "lblpages", {226, 88, 32, 20}, QStringLiteral("Page:"));
    makeLabel(this, "lblCurrPage", {258, 88, 16, 20}, QStringLiteral("1"), Qt::AlignCenter);
    makeLabel(this, "lblof", {274, 88, 14, 20}, QStringLiteral("of"), Qt::AlignCenter);
    makeLabel(this, "lblTotalPage", {288, 88, 16, 20}, QStringLiteral("1"), Qt::AlignCenter);

    for (const auto& [name, top] : {std::pair{"lblATEID", 2}, std::pair{"lblOperatorID", 22},
                                    std::pair{"lblSerialNumber", 42}, std::pair{"lblTestID", 62}})
        makeFitLabel(this, name,
                     {WideIdentityLeft, top, IdentityLeft + IdentityWidth - WideIdentityLeft, 18});
    makeFitLabel(this, "lblSWVersion", {IdentityLeft, 82, IdentityWidth, 18});
    makeLabel(this, "lblNetwork", {588, 92, 60, 18}, QStringLiteral("Alarm"));
    QLabel* note = makeLabel(this, "lblUntested", UntestedPlace, {}, Qt::AlignCenter);
    note->setWordWrap(true);
    buildUntestedNote(*note);
}

void HeaderWindow::buildPictures() {
    imgLogo_ = makeFittedPicture(this, QStringLiteral("imgLogo"), {4, 2, 110, 62}, {});
    imgLogo_->installEventFilter(this);
    picClipControl_ = makeFittedPicture(this, QStringLiteral("picClipControl"), {4, 70, 40, 40},
                                        menuPicture({40, 40}));
    picClipControl_->installEventFilter(this);

    imgPass_ = makeFittedPicture(this, QStringLiteral("imgPass"), VerdictPlace,
                                 libraryPicture(QStringLiteral("XQPASS")));
    imgFail_ = makeFittedPicture(this, QStringLiteral("imgFail"), VerdictPlace,
                                 libraryPicture(QStringLiteral("XQFAIL")));
    imgTesting_ =
        makeLabel(this, "imgTesting", VerdictPlace, QStringLiteral("TESTING"), Qt::AlignCenter);
    imgTesting_->setStyleSheet(
        QStringLiteral("QLabel { color: #3a2a00; background: #ffd34d; border: 2px solid #8a6d00; "
                       "font-weight: bold; }"));
    for (QLabel* badge : {imgPass_, imgFail_, imgTesting_}) {
        badge->setGraphicsEffect(new QGraphicsOpacityEffect(badge));
        badge->hide();
    }
    for (size_t i = 0; i < statusPictures_.size(); ++i) {
        const auto status = static_cast<StatusPicture>(i);
        statusPictures_[i] = makeFittedPicture(this, QLatin1String(StatusNames[i]),
                                               {562, 90, 22, 22}, statusPicture(status, {22, 22}));
        statusPictures_[i]->setVisible(status == StatusPicture::Unknown);
    }
}

void HeaderWindow::buildButtons() {
    cmdStartTest_ = new QPushButton(QStringLiteral("Start Test"), this);
    cmdStartTest_->setObjectName(QStringLiteral("cmdStartTest"));
    cmdStartTest_->setGeometry(670, 4, 108, 33);
    setBold(cmdStartTest_, 10);
    cmdPrint_ = new QPushButton(QStringLiteral("Print"), this);
    cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint_->setGeometry(670, 41, 108, 33);
    cmdExit_ = new QPushButton(QStringLiteral("Exit"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    cmdExit_->setGeometry(670, 78, 108, 33);
    setBold(cmdExit_, 10);
    connect(cmdStartTest_, &QPushButton::clicked, this, &HeaderWindow::startTestClicked);
    connect(cmdPrint_, &QPushButton::clicked, this, &HeaderWindow::printClicked);
    connect(cmdExit_, &QPushButton::clicked, this, &HeaderWindow::exitClicked);

    buildPageButton(cmdPrevious_, "cmdPrevious", "imgPrevious", false, 306);
    buildPageButton(cmdNext_, "cmdNext", "imgNext", true, 330);
    connect(cmdNext_, &QPushButton::clicked, this, &HeaderWindow::nextClicked);
    connect(cmdPrevious_, &QPushButton::clicked, this, &HeaderWindow::previousClicked);
}

// The button lies under its pictures: the normal look (img<Name>), the
// pressed look (img<Name>1) and the disabled look (img<Name>2).
void HeaderWindow::buildPageButton(QPushButton*& button, const char* name, const char* pictureName,
                                   bool next, int left) {
    const QRect at(left, 88, 24, 22);
    button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(at);
    std::array<QLabel*, 3>& pictures = next ? nextPictures_ : previousPictures_;
    const ArrowLook looks[] = {ArrowLook::Normal, ArrowLook::Pressed, ArrowLook::Disabled};
    const char* suffixes[] = {"", "1", "2"};
    for (size_t i = 0; i < pictures.size(); ++i) {
        pictures[i] =
            makeFittedPicture(this, QLatin1String(pictureName) + QLatin1String(suffixes[i]), at,
                              pageArrowPicture(next, looks[i], at.size()));
        pictures[i]->installEventFilter(this);
    }
    // The mark sits on the button's upper right corner and lets clicks through.
    QLabel* mark = makeLabel(this, QLatin1String(name) + QLatin1String("Failed"),
                             {left + 12, 80, 14, 14}, {}, Qt::AlignCenter);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    setBold(mark, 9);
    QPalette look = mark->palette();
    look.setColor(QPalette::WindowText, toQColor(ValueColour::Red));
    mark->setPalette(look);
    mark->hide();
    (next ? nextFailed_ : previousFailed_) = mark;
    updatePagePictures();
}

void HeaderWindow::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("mnuXQTestMenu"));
    for (const EntryCaption& item : MenuEntries) {
        QAction* action = menu_->addAction(QLatin1String(item.caption));
        action->setObjectName(QLatin1String(item.objectName));
        const MenuEntry entry = item.entry;
        connect(action, &QAction::triggered, this, [this, entry] { emit menuEntryChosen(entry); });
        actions_[static_cast<size_t>(entry)] = action;
        if (item.separatorAfter)
            menu_->addSeparator();
    }
}

QAction& HeaderWindow::menuAction(MenuEntry entry) const {
    return *actions_[static_cast<size_t>(entry)];
}

void HeaderWindow::setLabelText(const char* objectName, const QString& text) {
    auto* label = findChild<QLabel*>(QLatin1String(objectName));
    if (auto* fitting = qobject_cast<FitLabel*>(label))
        fitting->setFullText(text);
    else if (label && label->text() != text)
        label->setText(text);
}

void HeaderWindow::setLogo(const QString& configuredName) {
    logoName_ = configuredName;
    imgLogo_->setPixmap(customerLogoPicture(configuredName, imgLogo_->size()));
}

void HeaderWindow::setScale(double scale) {
    if (!(scale > 0) || qFuzzyCompare(scale, scale_))
        return;
    scaleWindow(*this, scale / scale_);
    scale_ = scale;
    resizeWindowTwips(*this, scaledWidth(), scaledHeight());
    drawPictures();
    setLogo(logoName_);
}

int HeaderWindow::scaledWidth() const {
    return static_cast<int>(std::lround(Width * scale_));
}

int HeaderWindow::scaledHeight() const {
    return static_cast<int>(std::lround(Height * scale_));
}

// The pictures drawn in code, at the size of their place now.
void HeaderWindow::drawPictures() {
    picClipControl_->setPixmap(menuPicture(picClipControl_->size()));
    for (size_t i = 0; i < statusPictures_.size(); ++i)
        statusPictures_[i]->setPixmap(
            statusPicture(static_cast<StatusPicture>(i), statusPictures_[i]->size()));
    const ArrowLook looks[] = {ArrowLook::Normal, ArrowLook::Pressed, ArrowLook::Disabled};
    for (size_t i = 0; i < nextPictures_.size(); ++i) {
        nextPictures_[i]->setPixmap(pageArrowPicture(true, looks[i], nextPictures_[i]->size()));
        previousPictures_[i]->setPixmap(
            pageArrowPicture(false, looks[i], previousPictures_[i]->size()));
    }
}

void HeaderWindow::showRunActive(bool active) {
    setStartAndPrintEnabled(!active);
    setExitCaption(active);
    for (MenuEntry entry : {MenuEntry::About, MenuEntry::Hide, MenuEntry::Calibration,
                            MenuEntry::Diagnostic, MenuEntry::ShowCabinet})
        menuAction(entry).setVisible(!active);
}

void HeaderWindow::setStartAndPrintEnabled(bool enabled) {
    cmdStartTest_->setEnabled(enabled);
    cmdPrint_->setEnabled(enabled);
}

void HeaderWindow::setExitCaption(bool abort) {
    cmdExit_->setText(abort ? QStringLiteral("Abort") : QStringLiteral("Exit"));
}

void HeaderWindow::focusStartTest() {
    cmdStartTest_->setFocus();
}
void HeaderWindow::focusExit() {
    cmdExit_->setFocus();
}

void HeaderWindow::showPageControls(bool shown) {
    pageControlsShown_ = shown;
    for (const char* name : {"lblpages", "lblCurrPage", "lblof", "lblTotalPage"})
        findChild<QLabel*>(QLatin1String(name))->setVisible(shown);
    cmdNext_->setVisible(shown);
    cmdPrevious_->setVisible(shown);
    updatePagePictures();
}

void HeaderWindow::showPageNumber(int page, int pageCount) {
    setLabelText("lblCurrPage", QString::number(page));
    setLabelText("lblTotalPage", QString::number(pageCount));
    canGoPrevious_ = page > 1;
    canGoNext_ = page < pageCount;
    cmdPrevious_->setEnabled(canGoPrevious_);
    cmdNext_->setEnabled(canGoNext_);
    updatePagePictures();
}

void HeaderWindow::updatePagePictures() {
    const std::pair<bool, std::array<QLabel*, 3>*> pairs[] = {{canGoNext_, &nextPictures_},
                                                              {canGoPrevious_, &previousPictures_}};
    for (const auto& [enabled, pictures] : pairs) {
        if (!(*pictures)[0])
            continue;
        (*pictures)[0]->setVisible(pageControlsShown_ && enabled);
        (*pictures)[1]->setVisible(false);
        (*pictures)[2]->setVisible(pageControlsShown_ && !enabled);
    }
    const std::pair<QLabel*, bool> marks[] = {{nextFailed_, failsAfter_},
                                              {previousFailed_, failsBefore_}};
    for (const auto& [mark, failed] : marks) {
        if (!mark)
            continue;
        mark->setText(failed ? QStringLiteral("\u2717") : QString());
        mark->setVisible(pageControlsShown_ && failed);
        mark->raise();
    }
    // The pictures lie over the buttons: both carry the hint.
    const QString later = failsAfter_ ? QStringLiteral("Failed lines on a later page") : QString();
    const QString earlier =
        failsBefore_ ? QStringLiteral("Failed lines on an earlier page") : QString();
    for (QWidget* widget :
         {static_cast<QWidget*>(cmdNext_), static_cast<QWidget*>(nextPictures_[0])})
        if (widget)
            widget->setToolTip(later);
    for (QWidget* widget :
         {static_cast<QWidget*>(cmdPrevious_), static_cast<QWidget*>(previousPictures_[0])})
        if (widget)
            widget->setToolTip(earlier);
}

void HeaderWindow::showPageFailMarks(bool before, bool after) {
    failsBefore_ = before;
    failsAfter_ = after;
    updatePagePictures();
}

void HeaderWindow::showVerdictPictures(const VerdictPictures& shown) {
    const std::array<std::pair<QLabel*, bool>, 3> badges{
        {{imgPass_, shown.pass}, {imgFail_, shown.fail}, {imgTesting_, shown.testing}}};
    for (const auto& [badge, visible] : badges) {
        if (badge->isVisibleTo(this) != visible)
            badge->setVisible(visible);
        auto* opacity = static_cast<QGraphicsOpacityEffect*>(badge->graphicsEffect());
        const qreal wanted = shown.dim ? 0.45 : 1.0;
        if (opacity->opacity() != wanted)
            opacity->setOpacity(wanted);
    }
}

void HeaderWindow::showUntestedLines(const QString& note) {
    setLabelText("lblUntested", note);
    findChild<QLabel*>(QStringLiteral("lblUntested"))->setVisible(!note.isEmpty());
}

void HeaderWindow::showStatus(const StatusShown& status) {
    for (size_t i = 0; i < statusPictures_.size(); ++i) {
        const bool shown = static_cast<size_t>(status.picture) == i && status.visible;
        if (statusPictures_[i]->isVisibleTo(this) != shown)
            statusPictures_[i]->setVisible(shown);
    }
}

bool HeaderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == imgLogo_) {
            emit logoDoubleClicked();
            return true;
        }
        if (watched == picClipControl_) {
            emit menuPictureDoubleClicked();
            return true;
        }
    }
    if (watched == picClipControl_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        execPopupMenu(*menu_, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    if (auto* picture = qobject_cast<QLabel*>(watched))
        return pagePictureEvent(picture, event);
    return QWidget::eventFilter(watched, event);
}

// Clicking a page button's picture acts like the button while it is enabled,
// showing the pressed look while the mouse button is down.
bool HeaderWindow::pagePictureEvent(QLabel* picture, QEvent* event) {
    const bool isNext = picture == nextPictures_[0];
    if (!isNext && picture != previousPictures_[0])
        return false;
    QPushButton* button = isNext ? cmdNext_ : cmdPrevious_;
    const bool canGo = isNext ? canGoNext_ : canGoPrevious_;
    QLabel* pressed = (isNext ? nextPictures_ : previousPictures_)[1];
    if (event->type() == QEvent::MouseButtonPress && canGo) {
        pressed->show();
        pressed->raise();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool wasPressed = pressed->isVisible();
        pressed->hide();
        if (wasPressed && canGo)
            button->click();
        return true;
    }
    return false;
}

} // namespace XQTestDev
