#include <XQTestDev/XQLEDBar32.h>

#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/ScreenUnits.h"
#include "ui/OwnedWindow.h"
#include "ui/VerdictColours.h"
#include "virtual/LedBarScale.h"
#include "virtual/LedBarWindow.h"
#include "virtual/NumberPattern.h"
#include "virtual/PanelPlace.h"

#include <QPointer>

namespace XQTestDev {

class XQLEDBar32Private {
public:
    explicit XQLEDBar32Private(XQLEDBar32& owner) : owner_(owner) {}

    // The window, opened afresh when Done closed the last one.
    LedBarWindow& window() { return window_.get(); }
    void unloadWindow() { window_.unload(); }

    // A refresh of the display: a value that is news is reported.
    void report(double shown) {
        const bool passed = inBand(shown, settings.min, settings.max);
        if (!reported.take(shown))
            return;
        value = shown;
        isPassed = passed;
        emit owner_.ValueChanged(shown, passed);
    }

    VerdictColours colours;
    PanelPlace place;
    int decimalPoint = 0;
    QString suffix;
    bool alwaysOnTop = true;
    LedBarSettings settings;
    QString cabReference;
    double value = 0;
    bool isPassed = false;
    bool hidden = false;
    ReportedValue reported;

private:
    XQLEDBar32& owner_;
    // Last, so that the window goes first.
    OwnedWindow<LedBarWindow> window_{[this](LedBarWindow& opened) {
        QObject::connect(&opened, &LedBarWindow::refreshed, &owner_,
                         [this](double shown) { report(shown); });
    }};
};

XQLEDBar32::XQLEDBar32(QObject* parent)
    : QObject(parent), d(std::make_unique<XQLEDBar32Private>(*this)) {
    ensureLibraryStarted();
    d->window();
}

XQLEDBar32::~XQLEDBar32() = default;

int XQLEDBar32::DigitColorPass() const {
    return d->colours.pass;
}
void XQLEDBar32::setDigitColorPass(int color) {
    d->colours.pass = color;
}
int XQLEDBar32::DigitColorFail() const {
    return d->colours.fail;
}
void XQLEDBar32::setDigitColorFail(int color) {
    d->colours.fail = color;
}

Positions XQLEDBar32::Position() const {
    return static_cast<Positions>(d->place.position());
}
void XQLEDBar32::setPosition(Positions position) {
    d->place.setPosition(position);
}
QVariant XQLEDBar32::Top() const {
    return d->place.top();
}
void XQLEDBar32::setTop(const QVariant& top) {
    d->place.setTop(top);
}
QVariant XQLEDBar32::Left() const {
    return d->place.left();
}
void XQLEDBar32::setLeft(const QVariant& left) {
    d->place.setLeft(left);
}
int XQLEDBar32::Height() const {
    return windowSizeTwips(d->window()).height();
}
int XQLEDBar32::Width() const {
    return windowSizeTwips(d->window()).width();
}

int XQLEDBar32::DecimalPoint() const {
    return d->decimalPoint;
}
void XQLEDBar32::setDecimalPoint(int decimals) {
    d->decimalPoint = decimals;
}
QString XQLEDBar32::Suffix() const {
    return d->suffix;
}
void XQLEDBar32::setSuffix(const QString& suffix) {
    d->suffix = suffix;
}
bool XQLEDBar32::AlwaysOnTop() const {
    return d->alwaysOnTop;
}
void XQLEDBar32::setAlwaysOnTop(bool onTop) {
    d->alwaysOnTop = onTop;
}

double XQLEDBar32::Min() const {
    return d->settings.min;
}
void XQLEDBar32::setMin(double min) {
    d->settings.min = min;
}
double XQLEDBar32::Max() const {
    return d->settings.max;
}
void XQLEDBar32::setMax(double max) {
    d->settings.max = max;
}
double XQLEDBar32::ScaleMin() const {
    return d->settings.scaleMin;
}
void XQLEDBar32::setScaleMin(double scaleMin) {
    d->settings.scaleMin = scaleMin;
}
double XQLEDBar32::ScaleMax() const {
    return d->settings.scaleMax;
}
void XQLEDBar32::setScaleMax(double scaleMax) {
    d->settings.scaleMax = scaleMax;
}
double XQLEDBar32::PreciseStep() const {
    return d->settings.preciseStep;
}
void XQLEDBar32::setPreciseStep(double step) {
    d->settings.preciseStep = step;
}

QString XQLEDBar32::CabReference() const {
    return d->cabReference;
}
void XQLEDBar32::setCabReference(const QString& reference) {
    d->cabReference = reference;
}

double XQLEDBar32::Value() const {
    return d->value;
}
bool XQLEDBar32::IsPassed() const {
    return d->isPassed;
}

void XQLEDBar32::Show(bool AllowAdjust) {
    if (const std::optional<QString> refusal = showRefusal(d->settings)) {
        showExclamation(*refusal);
        return;
    }
    LedBarWindow& window = d->window();
    LedBarFields fields;
    fields.allowAdjust = AllowAdjust;
    fields.settings = d->settings;
    fields.colours = d->colours;
    fields.decimals = decimalsFrom(d->decimalPoint);
    fields.suffix = d->suffix;
    fields.ledStep = ledStepOf(d->settings.scaleMin, d->settings.scaleMax);
    fields.arrowStep = arrowStepOf(d->settings.preciseStep, fields.ledStep);
    window.configure(fields);
    window.setCabinetCaption(d->cabReference);
    window.applyAdjustPermission();

    d->place.placeAndKeep(window, LedBarWindow::designTwips());
    QPointer<LedBarWindow> alive(&window);
    window.refresh(true);
    if (!alive)
        return;
    growOrBringBack(window, LedBarWindow::designTwips());
    d->hidden = false;
}

void XQLEDBar32::Hide() {
    d->window().hide();
    d->hidden = true;
}

void XQLEDBar32::SendValue(double Value) {
    QPointer<LedBarWindow> window(&d->window());
    window->setValue(Value);
    window->refresh(true);
    if (window)
        bringToFrontWhenWanted(*window, d->hidden, d->alwaysOnTop);
}

void XQLEDBar32::Done() {
    d->unloadWindow();
}

} // namespace XQTestDev
