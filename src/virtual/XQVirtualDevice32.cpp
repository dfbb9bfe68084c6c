#include <XQTestDev/XQVirtualDevice32.h>

#include "frame/EventPause.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/ScreenUnits.h"
#include "ui/OwnedWindow.h"
#include "virtual/DeviceLimits.h"
#include "virtual/NumberPattern.h"
#include "virtual/PanelPlace.h"
#include "virtual/VirtualDeviceWindow.h"

#include <QPointer>

namespace XQTestDev {

class XQVirtualDevice32Private {
public:
    explicit XQVirtualDevice32Private(XQVirtualDevice32& owner) : owner_(owner) {}

    // The panel, opened afresh when Done closed the last one.
    VirtualDeviceWindow& panel() { return window_.get(); }
    void unloadPanel() { window_.unload(); }

    VerdictColours colours;
    PanelPlace place;
    QString suffix;
    bool alwaysOnTop = true;
    DeviceLimits limits;
    QString caption;
    QString cabReference;
    double value = 0;
    bool isPassed = false;
    bool hidden = false;

private:
    XQVirtualDevice32& owner_;
    // Last, so that the window goes first.
    OwnedWindow<VirtualDeviceWindow> window_{[this](VirtualDeviceWindow& opened) {
        QObject::connect(&opened, &VirtualDeviceWindow::okPressed, &owner_,
                         [this] { emit owner_.OKClick(value, isPassed); });
        QObject::connect(&opened, &VirtualDeviceWindow::cancelPressed, &owner_,
                         [this] { emit owner_.CancelClick(value, isPassed); });
    }};
};

XQVirtualDevice32::XQVirtualDevice32(QObject* parent)
    : QObject(parent), d(std::make_unique<XQVirtualDevice32Private>(*this)) {
    ensureLibraryStarted();
    d->panel();
}

XQVirtualDevice32::~XQVirtualDevice32() = default;

int XQVirtualDevice32::DigitColorPass() const {
    return d->colours.pass;
}
void XQVirtualDevice32::setDigitColorPass(int color) {
    d->colours.pass = color;
}
int XQVirtualDevice32::DigitColorFail() const {
    return d->colours.fail;
}
void XQVirtualDevice32::setDigitColorFail(int color) {
    d->colours.fail = color;
}

Positions XQVirtualDevice32::Position() const {
    return static_cast<Positions>(d->place.position());
}
void XQVirtualDevice32::setPosition(Positions position) {
    d->place.setPosition(position);
}
QVariant XQVirtualDevice32::Top() const {
    return d->place.top();
}
void XQVirtualDevice32::setTop(const QVariant& top) {
    d->place.setTop(top);
}
QVariant XQVirtualDevice32::Left() const {
    return d->place.left();
}
void XQVirtualDevice32::setLeft(const QVariant& left) {
    d->place.setLeft(left);
}
int XQVirtualDevice32::Height() const {
    return windowSizeTwips(d->panel()).height();
}
int XQVirtualDevice32::Width() const {
    return windowSizeTwips(d->panel()).width();
}

QString XQVirtualDevice32::Suffix() const {
    return d->suffix;
}
void XQVirtualDevice32::setSuffix(const QString& suffix) {
    d->suffix = suffix;
}
bool XQVirtualDevice32::AlwaysOnTop() const {
    return d->alwaysOnTop;
}
void XQVirtualDevice32::setAlwaysOnTop(bool onTop) {
    d->alwaysOnTop = onTop;
}

double XQVirtualDevice32::Min() const {
    return d->limits.min();
}
void XQVirtualDevice32::setMin(double min) {
    if (!d->limits.setMin(min))
        showExclamation(InvalidMinMessage);
}
double XQVirtualDevice32::Max() const {
    return d->limits.max();
}
void XQVirtualDevice32::setMax(double max) {
    if (!d->limits.setMax(max))
        showExclamation(InvalidMaxMessage);
}

QString XQVirtualDevice32::Caption() const {
    return d->caption;
}
void XQVirtualDevice32::setCaption(const QString& caption) {
    d->caption = caption;
}
QString XQVirtualDevice32::CabReference() const {
    return d->cabReference;
}
void XQVirtualDevice32::setCabReference(const QString& reference) {
    d->cabReference = reference;
}

double XQVirtualDevice32::Value() const {
    return d->value;
}
bool XQVirtualDevice32::IsPassed() const {
    return d->isPassed;
}

void XQVirtualDevice32::Show() {
    VirtualDeviceWindow& window = d->panel();
    window.cabinetCaption = d->cabReference;
    window.setMessage(d->caption);
    d->place.placeAndKeep(window, VirtualDeviceWindow::designTwips());
    growOrBringBack(window, VirtualDeviceWindow::designTwips());
    d->hidden = false;
}

void XQVirtualDevice32::Hide() {
    d->panel().hide();
    d->hidden = true;
}

void XQVirtualDevice32::SendValue(double Value, const QVariant& DecimalPoint) {
    d->value = Value;
    const DeviceVerdict verdict = judgeValue(d->limits, Value, d->colours);
    QPointer<VirtualDeviceWindow> window(&d->panel());
    window->paintVerdict(verdict.colour);
    window->setMessage(d->caption);
    window->toggleActivityLight();
    letPendingEventsRun();
    d->isPassed = verdict.isPassed;
    if (!window)
        return;
    const QString shown =
        formatWithPattern(Value, decimalsFrom(DecimalPoint)) + QLatin1Char(' ') + d->suffix;
    window->showValue(shown, !verdict.isPassed);
    bringToFrontWhenWanted(*window, d->hidden, d->alwaysOnTop);
}

void XQVirtualDevice32::Done() {
    d->unloadPanel();
}

} // namespace XQTestDev
