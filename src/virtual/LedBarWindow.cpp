#include "virtual/LedBarWindow.h"

#include "frame/EventPause.h"
#include "frame/ScreenUnits.h"
#include "ui/Cabinet.h"
#include "ui/PopupMenu.h"
#include "ui/VerdictColours.h"
#include "ui/WindowDrag.h"
#include "virtual/ArrowRepeat.h"
#include "virtual/OverRangeMarks.h"
#include "virtual/PanelLook.h"
#include "virtual/PassBandMark.h"
#include "virtual/PressPictures.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace XQTestDev {

namespace {

// Design size and places, in twips (15 to the pixel at 96 dpi). The LEDs and
// the knob's travel are fixed by the knob rule; the rest is laid out around
// them.
constexpr int WindowWidth = 5100;
constexpr int WindowHeight = 1290;
constexpr int LedTop = 555;
constexpr int KnobTop = 900;
constexpr int KnobSize = 270;
constexpr int ReadoutPixels = 20;
const QRect LampPlace(165, 180, 180, 180);
const QRect ReadoutPlace(435, 90, 3585, 375);
const QRect LeftArrowPlace(4140, 127, 360, 300);
const QRect RightArrowPlace(4575, 127, 360, 300);
const QRect GroovePlace(KnobLeftMost + KnobSize / 2, KnobTop + KnobSize / 2 - 15,
                        KnobRightMost - KnobLeftMost, 30);

const char* const BandPictures[] = {"LEDGREENVER", "LEDYELLOWVER", "LEDMAGENTAVER", "LEDREDVER"};

QRect ledPlace(int index) {
    return {FirstLedLeft + LedPitch * index, LedTop, LedWidth, LedHeight};
}

QRect knobPlace(int left) {
    return {left, KnobTop, KnobSize, KnobSize};
}

} // namespace

QSize LedBarWindow::designTwips() {
    return {WindowWidth, WindowHeight};
}

LedBarWindow::LedBarWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmLEDBarHor"));
    resizeWindowTwips(*this, WindowWidth, WindowHeight);
    paintPanelFace(*this);
    createControls();
    // Loading: the disabled pictures follow the permission held now, and the
    // bar starts at the bottom of its scale.
    applyAdjustPermission();
    fields_.currentValue = fields_.settings.scaleMin;
    refresh(false);
}

LedBarWindow::~LedBarWindow() = default;

void LedBarWindow::createControls() {
    auto* drag = new WindowDrag(*this);
    drag->watch(this);

    pictureLabel(this, QStringLiteral("GREENON"), QStringLiteral("imgGotFocus"), LampPlace);
    imgLostFocus_ =
        pictureLabel(this, QStringLiteral("GREENOFF"), QStringLiteral("imgLostFocus"), LampPlace);

    lblValue_ = new QLabel(QStringLiteral("--.--"), this);
    lblValue_->setObjectName(QStringLiteral("lblValue"));
    lblValue_->setGeometry(twipsRect(ReadoutPlace));
    lblValue_->setAlignment(Qt::AlignCenter);
    lblValue_->setTextFormat(Qt::PlainText);
    lblValue_->setFont(arial(ReadoutPixels, true));
    lblValue_->setAutoFillBackground(true);
    QPalette look = lblValue_->palette();
    look.setColor(QPalette::Window, DisplayFace);
    look.setColor(QPalette::WindowText, PanelText);
    lblValue_->setPalette(look);
    drag->watch(lblValue_);
    failMark_ = makeFailMark(*lblValue_);

    createLeds();
    overRange_ = new OverRangeMarks(*this, ledPlace(0), ledPlace(LedCount - 1));
    createArrows();
    createKnob();
    passBand_ = new PassBandMark(this);

    mnuXQLEDBarHor_ = new QMenu(this);
    mnuXQLEDBarHor_->setObjectName(QStringLiteral("mnuXQLEDBarHor"));
    QAction* hide = mnuXQLEDBarHor_->addAction(QStringLiteral("Hide"));
    hide->setObjectName(QStringLiteral("mnuHide"));
    connect(hide, &QAction::triggered, this, &LedBarWindow::putAway);
}

void LedBarWindow::createLeds() {
    for (int index = 0; index < LedCount; ++index) {
        const QString band = QLatin1String(BandPictures[index / 10]);
        pictureLabel(this, band, QStringLiteral("imgLEDOn_%1").arg(index), ledPlace(index));
        QLabel* off = pictureLabel(this, QStringLiteral("LEDGRAYVER"),
                                   QStringLiteral("imgLEDOff_%1").arg(index), ledPlace(index));
        ledOff_[static_cast<size_t>(index)] = off;
    }
}

void LedBarWindow::createArrows() {
    const auto arrow = [this](const QString& side, const QRect& place, const QString& name) {
        QLabel* pressed =
            pictureLabel(this, side + QStringLiteral("DOWN"), name + QLatin1Char('1'), place);
        QLabel* released = pictureLabel(this, side + QStringLiteral("UP"), name, place);
        QLabel* disabled =
            pictureLabel(this, side + QStringLiteral("DISABLE"), name + QLatin1Char('2'), place);
        disabled->setAttribute(Qt::WA_NoMousePropagation);
        return std::pair{new PressPictures(released, pressed), disabled};
    };
    std::tie(leftArrow_, leftDisabled_) =
        arrow(QStringLiteral("LEFT"), LeftArrowPlace, QStringLiteral("imgScrollLeft"));
    std::tie(rightArrow_, rightDisabled_) =
        arrow(QStringLiteral("RIGHT"), RightArrowPlace, QStringLiteral("imgScrollRight"));
    connect(leftArrow_, &PressPictures::pressed, this, [this] { holdArrow(*leftArrow_, -1); });
    connect(rightArrow_, &PressPictures::pressed, this, [this] { holdArrow(*rightArrow_, +1); });
}

void LedBarWindow::createKnob() {
    auto* groove = new QFrame(this);
    groove->setObjectName(QStringLiteral("knobGroove"));
    groove->setGeometry(twipsRect(GroovePlace));
    groove->setAutoFillBackground(true);
    QPalette look = groove->palette();
    look.setColor(QPalette::Window, QColor(0x47, 0x55, 0x69));
    groove->setPalette(look);

    knobFocus_ = new QFrame(this);
    knobFocus_->setObjectName(QStringLiteral("shpKnobFocus"));
    knobFocus_->setStyleSheet(
        QStringLiteral("QFrame#shpKnobFocus { border: 2px dotted #e2e8f0; border-radius: 3px; }"));
    knobFocus_->setAttribute(Qt::WA_TransparentForMouseEvents);
    knobFocus_->hide();
    knob_ = pictureLabel(this, QStringLiteral("ROUNDBUTTONUP"), QStringLiteral("imgScroll"),
                         knobPlace(KnobLeftMost));
    knob_->setFocusPolicy(Qt::StrongFocus);
    knob_->setCursor(Qt::SizeHorCursor);
    knobPressed_ = pictureLabel(this, QStringLiteral("ROUNDBUTTONDOWN"),
                                QStringLiteral("imgScroll1"), knobPlace(KnobLeftMost));
    knobPressed_->hide();
    knobDisabled_ = pictureLabel(this, QStringLiteral("ROUNDBUTTONDISABLE"),
                                 QStringLiteral("imgScroll2"), knobPlace(KnobLeftMost));
    for (QLabel* picture : {knob_, knobPressed_, knobDisabled_}) {
        picture->setAttribute(Qt::WA_NoMousePropagation);
        picture->installEventFilter(this);
    }
}

void LedBarWindow::configure(const LedBarFields& fields) {
    const double shown = fields_.currentValue;
    fields_ = fields;
    fields_.currentValue = shown;
    passBand_->showBand(fields_.settings);
}

void LedBarWindow::applyAdjustPermission() {
    const bool disabled = !fields_.allowAdjust;
    leftDisabled_->setVisible(disabled);
    rightDisabled_->setVisible(disabled);
    knobDisabled_->setVisible(disabled);
}

void LedBarWindow::refresh(bool moveKnob) {
    const LedBarView view = ledBarView(fields_);
    const bool failed = view.colour != fields_.colours.pass;
    if (view.colour != colourShown_) {
        QPalette look = lblValue_->palette();
        look.setColor(QPalette::WindowText, colourFromBgr(static_cast<std::uint32_t>(view.colour)));
        lblValue_->setPalette(look);
        colourShown_ = view.colour;
    }
    showReadout(*lblValue_, *failMark_, view.readout, failed, ReadoutPixels);
    overRange_->show(view.beyondScale);
    QPointer<LedBarWindow> alive(this);
    letPendingEventsRun();
    if (!alive)
        return;
    if (view.litLeds != litShown_) {
        for (int index = 0; index < LedCount; ++index)
            ledOff_[static_cast<size_t>(index)]->setVisible(index >= view.litLeds);
        litShown_ = view.litLeds;
    }
    if (moveKnob)
        placeKnob(view.knobLeft);
    emit refreshed(view.value);
    if (!alive)
        return;
    toggleActivityLight();
    letPendingEventsRun();
}

void LedBarWindow::placeKnob(int leftTwips) {
    knobLeft_ = leftTwips;
    const QRect place = twipsRect(knobPlace(leftTwips));
    for (QLabel* picture : {knob_, knobPressed_, knobDisabled_})
        picture->setGeometry(place);
    knobFocus_->setGeometry(place.adjusted(-3, -3, 3, 3));
}

void LedBarWindow::toggleActivityLight() {
    imgLostFocus_->setVisible(imgLostFocus_->isHidden());
}

void LedBarWindow::putAway() {
    cabinet().collapse(*this, cabinetCaption_);
}

void LedBarWindow::openMenu(const QPoint& globalPosition) {
    execPopupMenu(*mnuXQLEDBarHor_, globalPosition);
}

void LedBarWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        openMenu(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void LedBarWindow::holdArrow(PressPictures& arrow, int direction) {
    QPointer<LedBarWindow> alive(this);
    QPointer<PressPictures> held(&arrow);
    ArrowHold hold;
    hold.held = [alive, held] { return alive && held && held->isDown() && alive->isVisible(); };
    hold.present = [alive] { return !alive.isNull(); };
    hold.changeValue = [this, direction] {
        fields_.currentValue = steppedValue(fields_, direction);
    };
    hold.refresh = [this] { refresh(true); };
    repeatWhileHeld(hold);
    // Whatever ended the hold, the arrow looks released afterwards.
    if (held)
        held->letGo();
}

bool LedBarWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched == knob_)
            return knobKey(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::FocusIn:
        if (watched == knob_)
            knobFocus_->show();
        break;
    case QEvent::FocusOut:
        if (watched == knob_)
            knobFocus_->hide();
        // An arrow key held while the knob loses the keyboard would never
        // see its release.
        if (watched == knob_ && keyHeld_) {
            keyHeld_->letGo();
            keyHeld_ = nullptr;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return knobMouse(watched, *static_cast<QMouseEvent*>(event));
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool LedBarWindow::knobKey(QKeyEvent& event) {
    const int key = event.key();
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Home && key != Qt::Key_End)
        return false;
    // Our own repetition drives a held arrow; the keyboard's would pile
    // presses on top of it.
    if (event.isAutoRepeat() || !fields_.allowAdjust)
        return true;
    PressPictures* arrow = key == Qt::Key_Left ? leftArrow_ : rightArrow_;
    if (event.type() == QEvent::KeyRelease) {
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            arrow->letGo();
            if (keyHeld_ == arrow)
                keyHeld_ = nullptr;
        }
        return true;
    }
    if (key == Qt::Key_Home) {
        fields_.currentValue = fields_.settings.min;
    } else if (key == Qt::Key_End) {
        fields_.currentValue = fields_.settings.max;
    } else if (!arrow->isDown()) {
        keyHeld_ = arrow;
        arrow->pressDown();
        holdArrow(*arrow, key == Qt::Key_Left ? -1 : +1);
    }
    return true;
}

bool LedBarWindow::knobMouse(QObject* watched, QMouseEvent& event) {
    if (watched == knobDisabled_)
        return true;
    if (event.button() == Qt::RightButton)
        return true;
    const QEvent::Type type = event.type();
    if (watched == knobPressed_ && type != QEvent::MouseMove) {
        // A click on the pressed picture shows the released one again.
        knobPressed_->hide();
        knobDragging_ = false;
        return true;
    }
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (event.button() != Qt::LeftButton)
            return true;
        knob_->setFocus(Qt::MouseFocusReason);
        rememberedX_ = qRound(event.position().x());
        knobDragging_ = true;
        knobPressed_->show();
        knobPressed_->raise();
        knobDisabled_->raise();
        return true;
    }
    if (type == QEvent::MouseMove) {
        if (!knobDragging_ || !(event.buttons() & Qt::LeftButton))
            return true;
        const double pointerX = event.position().x();
        const double newLeft = knobLeft_ + (pointerX - rememberedX_) * twipsPerPixelX();
        const KnobPlace place = dragKnobTo(newLeft, fields_.settings.scaleMin,
                                           fields_.settings.scaleMax, fields_.ledStep);
        fields_.currentValue = place.value;
        placeKnob(place.knobLeft);
        refresh(false);
        return true;
    }
    if (event.button() == Qt::LeftButton) {
        knobDragging_ = false;
        knobPressed_->hide();
    }
    return true;
}

} // namespace XQTestDev
