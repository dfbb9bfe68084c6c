#include "ui/CabinetWindow.h"

#include "frame/Clock.h"
#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "ui/Background.h"
#include "ui/Pictures.h"
#include "ui/PopupMenu.h"
#include "ui/WindowDrag.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace XQTestDev {

namespace {

constexpr int CabinetWidth = 787;        // twips
constexpr int CabinetHeight = 535;       // twips
constexpr int KeepInFrontInterval = 250; // ms

const QString DisableOnTop = QStringLiteral("Disable Always on Top");
const QString EnableOnTop = QStringLiteral("Enable Always on Top");

} // namespace

CabinetWindow::CabinetWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmCabinet"));
    resizeWindowTwips(*this, CabinetWidth, CabinetHeight);

    imgLogo_ = new QLabel(this);
    imgLogo_->setObjectName(QStringLiteral("imgLogo"));
    imgLogo_->setPixmap(libraryPicture(QStringLiteral("CABINETLOGO")));
    imgLogo_->setScaledContents(true);
    imgLogo_->setToolTip(QStringLiteral("Cabinet"));
    imgLogo_->installEventFilter(this);

    createMenu();

    tmrCabinet_ = new ClockTimer(QStringLiteral("tmrCabinet"), KeepInFrontInterval, this);
    connect(tmrCabinet_, &ClockTimer::timeout, this, &CabinetWindow::tick);

    drag_ = new WindowDrag(*this);
    drag_->watch(imgLogo_);
    connect(drag_, &WindowDrag::released, this, &CabinetWindow::dropped);
}

CabinetWindow::~CabinetWindow() = default;

void CabinetWindow::createMenu() {
    mnuCabinet_ = new QMenu(this);
    mnuCabinet_->setObjectName(QStringLiteral("mnuCabinet"));
    for (int index = 0; index < ShelfItems; ++index) {
        QAction* item = mnuCabinet_->addAction(QStringLiteral("Empty Shelf"));
        item->setObjectName(QStringLiteral("mnuShelf_%1").arg(index));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, index] { emit shelfChosen(index); });
        mnuShelf_[static_cast<size_t>(index)] = item;
    }
    mnuCabinet_->addSeparator();
    mnuHideCabinet_ = mnuCabinet_->addAction(QStringLiteral("Hide Cabinet"));
    mnuHideCabinet_->setObjectName(QStringLiteral("mnuHideCabinet"));
    connect(mnuHideCabinet_, &QAction::triggered, this, &CabinetWindow::hideCabinetChosen);
    mnuBackground_ = mnuCabinet_->addAction(QStringLiteral("Hide Background"));
    mnuBackground_->setObjectName(QStringLiteral("mnuBackground"));
    connect(mnuBackground_, &QAction::triggered, this, [] { toggleBackground(); });
    mnuCabinet_->addSeparator();
    mnuAlwaysOnTop_ = mnuCabinet_->addAction(DisableOnTop);
    mnuAlwaysOnTop_->setObjectName(QStringLiteral("mnuAlwaysOnTop"));
    connect(mnuAlwaysOnTop_, &QAction::triggered, this, &CabinetWindow::switchAlwaysOnTop);
    // The caption is brought up to date by the timer as well; doing it here
    // too keeps a freshly shown cabinet from offering the wrong word.
    connect(mnuCabinet_, &QMenu::aboutToShow, this, &CabinetWindow::showBackgroundCaption);
}

void CabinetWindow::listShelf(int index, const QString& caption, const QString& tag) {
    QAction* item = shelfItem(index);
    item->setData(tag);
    item->setText(caption);
    item->setVisible(true);
    item->setEnabled(true);
}

void CabinetWindow::unlistShelf(int index) {
    QAction* item = shelfItem(index);
    item->setVisible(false);
    item->setEnabled(false);
}

QAction* CabinetWindow::shelfItem(int index) const {
    return mnuShelf_.at(static_cast<size_t>(index));
}

void CabinetWindow::startKeepingInFront() {
    tmrCabinet_->start();
}
void CabinetWindow::stopKeepingInFront() {
    tmrCabinet_->stop();
}
bool CabinetWindow::keepsInFront() const {
    return tmrCabinet_->isActive();
}

void CabinetWindow::tick() {
    showBackgroundCaption();
    if (!library().onTopSuspended)
        raise();
}

void CabinetWindow::showBackgroundCaption() {
    mnuBackground_->setText(library().backgroundShown ? QStringLiteral("Hide Background")
                                                      : QStringLiteral("Show Background"));
}

void CabinetWindow::switchAlwaysOnTop() {
    // The operator's own last choice tells which way this one switches: while
    // the menu is open the library's flag itself is always set.
    onTopDisabledByOperator_ = !onTopDisabledByOperator_;
    chooseOnTopSuspended(onTopDisabledByOperator_);
    mnuAlwaysOnTop_->setText(onTopDisabledByOperator_ ? EnableOnTop : DisableOnTop);
}

void CabinetWindow::resizeEvent(QResizeEvent* event) {
    // The logo fills the cabinet, also while it grows and shrinks.
    imgLogo_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

bool CabinetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgLogo_ && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            execPopupMenu(*mnuCabinet_, mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace XQTestDev
