#include "run/GroupWindow.h"

#include "frame/NumberText.h"
#include "frame/ScreenUnits.h"
#include "run/CellFit.h"
#include "run/GroupStart.h"
#include "run/NumberFit.h"
#include "ui/FailMark.h"
#include "ui/FitLabel.h"
#include "ui/ScaledWindow.h"
#include "ui/WindowParts.h"
#include "ui/WrapLabel.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace XQTestDev {

namespace {

// Control positions inside the window, twips.
// The cells leave a gap between each other, so that limits, value and unit
// never read as one number; the value gets the widest cell.
constexpr int ParameterLeft = 75;
constexpr int ParameterWidth = 1470;
constexpr int MinLeft = 1560;
constexpr int MaxLeft = 2115;
constexpr int LimitWidth = 525;
constexpr int ValueLeft = 2670;
constexpr int ValueWidth = 750;
constexpr int UnitLeft = 3450;
constexpr int UnitWidth = 420;
constexpr int CellMargin = 1; // pixels inside each side of a cell
constexpr int CellTop = 165;
constexpr int CellHeight = 270;
constexpr qreal DesignedPointSize = 8;
// No cell text is set smaller than this (at 96 dpi, before MenuScale): a
// number that does not fit is rounded, and the test names give way first.
constexpr qreal ReadablePointSize = 8;
// The share of the test name column that the number cells may take.
constexpr double NameColumnGive = 0.5;
// A value cell holds a small value in fixed notation with two significant
// digits ("0.0000457") at the readable size.
const QLatin1String WidestPlainValue("0.0000000");

void setForeground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* makeCell(QWidget* parent, const QString& name, const QRect& at,
                 Qt::Alignment alignment = Qt::AlignCenter) {
    QLabel* cell = makeLabel(parent, name, at, {}, alignment);
    cell->setContentsMargins(CellMargin, 0, CellMargin, 0);
    return cell;
}

// The significant digits a number of the row keeps when it is rounded, so
// that it never reads as another number of its row (a value as its limit).
int digitsInRow(const QString& text, const RunRow& row) {
    const QString trimmed = text.trimmed();
    if (!isNumericText(trimmed))
        return 1;
    QList<double> others;
    for (const QString& cell : {row.spec.minimum, row.spec.maximum, row.value}) {
        if (isNumericText(cell.trimmed()))
            others.append(leadingNumber(cell.trimmed()));
    }
    return digitsToTellApart(leadingNumber(trimmed), others);
}

// Shows `text` in a narrow cell: whole when it fits, else smaller, rounded or
// elided (never cut); numbers to the right. The tooltip holds the whole text.
struct CellRules {
    qreal smallest = MinimumCellPointSize; // point size, scaled with the menu
    int digits = 1;                        // see digitsInRow
};

void showInCell(QLabel* cell, const QString& text, const QFont& font, Qt::Alignment forText,
                CellRules rules, int width = -1) {
    const FittedCell fitted = fitCell(text, font, width < 0 ? cell->contentsRect().width() : width,
                                      rules.smallest, rules.digits);
    cell->setFont(fitted.font);
    cell->setText(fitted.text);
    cell->setAlignment(fitted.number ? Qt::AlignRight | Qt::AlignVCenter : forText);
    cell->setToolTip(text.trimmed());
}

QString indexed(const char* name, int row) {
    return QLatin1String(name) + QLatin1Char('_') + QString::number(row);
}

} // namespace

GroupWindow::GroupWindow(const RunModel& model, int index, bool promptEnabled, int rowLimit,
                         double scale)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), groupName_(model.group(index).name),
      index_(index), promptEnabled_(promptEnabled), specError_(model.group(index).specError),
      scale_(scale), model_(model), valueSize_(DesignedPointSize * scale) {
    setObjectName(QStringLiteral("frmTestMenu"));
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont small = font();
    small.setPointSizeF(DesignedPointSize);
    setFont(small);
    buildControls();
    // Built at the designed size, then scaled as a whole; the cells are
    // filled at the scaled size.
    resizeWindowTwips(*this, Width, DesignedTallHeight);
    scaleWindow(*this, scale_);
    rowCount_ = static_cast<int>(std::min<size_t>(model.group(index).rows.size(), MaxGroupRows));
    giveLimitsRoom();
    fillRows();
    resizeWindowTwips(*this, Width * scale_, heightFor(rowLimit, rowCount_) * scale_);
    mainFrame_->setGeometry(rect());
    connect(&model, &RunModel::rowChanged, this, [this](int group, int row) {
        if (group == index_)
            paintRow(row);
    });
}

int GroupWindow::heightFor(int rowLimit, int rowCount) {
    const int designed = rowLimit > 10 ? DesignedTallHeight : DesignedShortHeight;
    return designed - (rowLimit - rowCount) * RowHeight - 15;
}

void GroupWindow::buildControls() {
    mainFrame_ = new QFrame(this);
    mainFrame_->setObjectName(QStringLiteral("shpFrameMain"));
    mainFrame_->setFrameShape(QFrame::Box);

    // A long group name is set smaller, then cut in the middle with the whole
    // in the tooltip: it never runs under the Start button.
    auto* title = new FitLabel(this);
    title_ = nameAndPlace(title, QStringLiteral("lblTestGroup"), twipsRect(60, 45, 2760, 300));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title->setFullText(groupName_);
    title_->installEventFilter(this);

    start_ = new QPushButton(QStringLiteral("Start"), this);
    start_->setObjectName(QStringLiteral("cmdStart"));
    start_->setGeometry(twipsRect(2940, 30, 900, 330));
    connect(start_, &QPushButton::clicked, this, [this] { startGroupTest(*this); });

    makeLabel(this, QStringLiteral("lblMin"), twipsRect(MinLeft, 375, LimitWidth, 240),
              QStringLiteral("Min."), Qt::AlignCenter);
    makeLabel(this, QStringLiteral("lblMax"), twipsRect(MaxLeft, 375, LimitWidth, 240),
              QStringLiteral("Max."), Qt::AlignCenter);

    for (int row = 0; row < MaxGroupRows; ++row)
        buildRow(row);
}

void GroupWindow::buildRow(int row) {
    const int top = TopAreaHeight + row * RowHeight;
    RowWidgets& w = widgets_[static_cast<size_t>(row)];
    w.frame = new QFrame(this);
    w.frame->setObjectName(indexed("shpFrame", row));
    w.frame->setGeometry(twipsRect(30, top + 15, Width - 60, RowHeight - 30));
    w.frame->setFrameShape(QFrame::Box);
    w.frame->setFrameShadow(QFrame::Plain);
    w.frame->setAutoFillBackground(true);
    // A test name breaks between words and ends with "…" when it needs more
    // lines than the row has; the tooltip holds it whole.
    w.parameter = new WrapLabel(this);
    w.parameter->setObjectName(indexed("lblTestPara", row));
    w.parameter->setGeometry(twipsRect(ParameterLeft, top + 60, ParameterWidth, 480));
    w.parameter->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    w.minimum = makeCell(this, indexed("lblSpecMin", row),
                         twipsRect(MinLeft, top + CellTop, LimitWidth, CellHeight));
    w.maximum = makeCell(this, indexed("lblSpecMax", row),
                         twipsRect(MaxLeft, top + CellTop, LimitWidth, CellHeight));
    w.value = makeCell(this, indexed("lblValue", row),
                       twipsRect(ValueLeft, top + CellTop, ValueWidth, CellHeight));
    w.failMark = makeCell(this, indexed("lblFailMark", row),
                          twipsRect(ValueLeft, top + CellTop, ValueWidth, CellHeight),
                          Qt::AlignRight | Qt::AlignVCenter);
    w.failMark->setContentsMargins(0, 0, 0, 0);
    w.failMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    w.failMark->hide();
    w.unit = makeCell(this, indexed("lblUnit", row),
                      twipsRect(UnitLeft, top + CellTop, UnitWidth, CellHeight),
                      Qt::AlignLeft | Qt::AlignVCenter);
}

void GroupWindow::fillRows() {
    const std::vector<RunRow>& rows = model_.group(index_).rows;
    rowCount_ = static_cast<int>(std::min<size_t>(rows.size(), MaxGroupRows));
    for (int row = 0; row < MaxGroupRows; ++row) {
        const RowWidgets& w = widgets_[static_cast<size_t>(row)];
        if (row < rowCount_) {
            const GroupRowSpec& spec = rows[static_cast<size_t>(row)].spec;
            w.parameter->setFullText(spec.parameter);
            showInCell(w.unit, spec.unit, font(), Qt::AlignLeft | Qt::AlignVCenter,
                       {smallestPointSize(), 1});
            paintRow(row);
        } else {
            paintFrame(row, FrameLook::Result);
        }
        for (QWidget* widget : {static_cast<QWidget*>(w.frame), static_cast<QWidget*>(w.parameter),
                                static_cast<QWidget*>(w.minimum), static_cast<QWidget*>(w.maximum),
                                static_cast<QWidget*>(w.value), static_cast<QWidget*>(w.unit)})
            widget->setVisible(row < rowCount_);
    }
}

void GroupWindow::paintRow(int row) {
    if (row < 0 || row >= rowCount_)
        return;
    const RunRow& shown = model_.row({index_, row});
    const RowWidgets& w = widgets_[static_cast<size_t>(row)];
    // The limits keep the digits that tell them apart from the value shown.
    showInCell(w.minimum, shown.spec.minimum, font(), Qt::AlignCenter,
               {smallestPointSize(), digitsInRow(shown.spec.minimum, shown)});
    showInCell(w.maximum, shown.spec.maximum, font(), Qt::AlignCenter,
               {smallestPointSize(), digitsInRow(shown.spec.maximum, shown)});
    QLabel* value = w.value;
    std::optional<qreal> fitsAt;
    if (!shown.value.trimmed().isEmpty())
        fitsAt = fitCell(shown.value, font(), valueWidth(row, font()), smallestPointSize())
                     .font.pointSizeF();
    if (valueSize_.set(row, fitsAt)) {
        for (int other = 0; other < rowCount_; ++other)
            paintValue(other);
    } else {
        paintValue(row);
    }
    setForeground(value, toQColor(colourOf(shown.verdict)));
    setForeground(widgets_[static_cast<size_t>(row)].failMark, toQColor(colourOf(shown.verdict)));
    paintFrame(row, frameOf(shown.verdict));
    // Whatever the row shows now is shown at once, even in the middle of a blink.
    blinkedAway_[static_cast<size_t>(row)] = false;
    value->setVisible(true);
    widgets_[static_cast<size_t>(row)].failMark->setVisible(shown.verdict == Verdict::Fail &&
                                                            !shown.value.trimmed().isEmpty());
}

// At the size all values of the window share; a failed value is marked
// beside it, so that it does not rely on its colour alone. The value's text
// stays the value: station programs and UI automation read it.
void GroupWindow::paintValue(int row) {
    const RunRow& shown = model_.row({index_, row});
    const RowWidgets& w = widgets_[static_cast<size_t>(row)];
    QFont shared = font();
    shared.setPointSizeF(valueSize_.shared());
    const bool marked = shown.verdict == Verdict::Fail && !shown.value.trimmed().isEmpty();
    const int markRoom = marked ? static_cast<int>(std::ceil(failMarkWidth(shared))) : 0;
    w.value->setContentsMargins(CellMargin + markRoom, 0, CellMargin, 0);
    showInCell(w.value, shown.value, shared, Qt::AlignCenter,
               {smallestPointSize(), digitsInRow(shown.value, shown)}, valueWidth(row, shared));
    w.failMark->setFont(shared);
    w.failMark->setText(marked ? FailMark.trimmed().toString() : QString());
    w.failMark->setPalette(w.value->palette());
    w.failMark->setVisible(marked && !blinkedAway_[static_cast<size_t>(row)]);
    if (marked)
        placeFailMark(w, markRoom);
}

// Just left of the value's text, wherever its alignment puts it.
void GroupWindow::placeFailMark(const RowWidgets& w, int markWidth) {
    const QRect inside = w.value->contentsRect();
    const int textWidth = static_cast<int>(
        std::ceil(QFontMetricsF(w.value->font()).horizontalAdvance(w.value->text())));
    int textLeft = inside.left();
    if (w.value->alignment() & Qt::AlignRight)
        textLeft = inside.left() + inside.width() - textWidth;
    else if (w.value->alignment() & Qt::AlignHCenter)
        textLeft = inside.left() + (inside.width() - textWidth) / 2;
    textLeft = std::max(textLeft, inside.left());
    w.failMark->setGeometry(w.value->x() + std::max(0, textLeft - markWidth), w.value->y(),
                            markWidth, w.value->height());
    w.failMark->raise();
}

qreal GroupWindow::smallestPointSize() const {
    return ReadablePointSize * scale_;
}

// Limits, values and units too wide for their cells at the readable size take
// room from the test names, which break between words and end with "…" where they
// must; the cells between them move left as a block, so columns stay aligned.
void GroupWindow::giveLimitsRoom() {
    const QFontMetricsF metrics(font());
    const auto needed = [&](const QString& text) {
        return static_cast<int>(std::ceil(metrics.horizontalAdvance(text.trimmed()))) +
               2 * CellMargin + 1;
    };
    int minimumNeeds = 0;
    int maximumNeeds = 0;
    int unitNeeds = 0;
    const std::vector<RunRow>& rows = model_.group(index_).rows;
    for (int row = 0; row < rowCount_; ++row) {
        const GroupRowSpec& spec = rows[static_cast<size_t>(row)].spec;
        minimumNeeds = std::max(minimumNeeds, needed(spec.minimum));
        maximumNeeds = std::max(maximumNeeds, needed(spec.maximum));
        unitNeeds = std::max(unitNeeds, needed(spec.unit));
    }
    int give = static_cast<int>(widgets_[0].parameter->width() * NameColumnGive);
    const auto take = [&give](int needs, int has) {
        const int taken = std::clamp(needs - has, 0, give);
        give -= taken;
        return taken;
    };
    // The unit first: a cut unit changes what every number of the row means.
    const int toUnit = take(unitNeeds, widgets_[0].unit->width());
    const int toValue = take(needed(WidestPlainValue), widgets_[0].value->width());
    const int toMinimum = take(minimumNeeds, widgets_[0].minimum->width());
    const int toMaximum = take(maximumNeeds, widgets_[0].maximum->width());
    const int total = toUnit + toValue + toMinimum + toMaximum;
    if (total == 0)
        return;
    const auto widen = [](QWidget* widget, int left, int wider) {
        widget->setGeometry(widget->geometry().adjusted(-left, 0, wider - left, 0));
    };
    for (const RowWidgets& w : widgets_) {
        widen(w.parameter, 0, -total);
        widen(w.minimum, total, toMinimum);
        widen(w.maximum, toMaximum + toValue + toUnit, toMaximum);
        widen(w.value, toValue + toUnit, toValue);
        widen(w.failMark, toValue + toUnit, toValue);
        widen(w.unit, toUnit, toUnit);
    }
    widen(findChild<QLabel*>(QStringLiteral("lblMin")), total, toMinimum);
    widen(findChild<QLabel*>(QStringLiteral("lblMax")), toMaximum + toValue + toUnit, toMaximum);
}

int GroupWindow::valueWidth(int row, const QFont& font) const {
    const int cell = widgets_[static_cast<size_t>(row)].value->width() - 2 * CellMargin;
    if (model_.row({index_, row}).verdict != Verdict::Fail)
        return cell;
    return cell - static_cast<int>(std::ceil(failMarkWidth(font)));
}

void GroupWindow::paintFrame(int row, FrameLook look) {
    QFrame* frame = widgets_[static_cast<size_t>(row)].frame;
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, colourFromBgr(frameFillCode(look)));
    palette.setColor(QPalette::WindowText, colourFromBgr(frameOutlineCode(look)));
    frame->setPalette(palette);
}

void GroupWindow::blinkTesting() {
    for (int row = 0; row < rowCount_; ++row) {
        if (model_.row({index_, row}).verdict != Verdict::Testing)
            continue;
        bool& away = blinkedAway_[static_cast<size_t>(row)];
        away = !away;
        widgets_[static_cast<size_t>(row)].value->setVisible(!away);
    }
}

void GroupWindow::setStartEnabled(bool enabled) {
    start_->setEnabled(enabled);
}

void GroupWindow::toggleFrame() {
    const bool wasVisible = isVisible();
    const QPoint at = pos();
    framed_ = !framed_;
    if (framed_) {
        setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setWindowTitle(QStringLiteral(" "));
    } else {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setWindowTitle(QString());
    }
    move(at);
    if (wasVisible)
        show();
}

bool GroupWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == title_ && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && (mouse->modifiers() & Qt::ShiftModifier)) {
            toggleFrame();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace XQTestDev
