// The instrument object's properties: stored as given or by their rules.

#include <XQTestDev/XQGPIB32.h>

#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/ScreenUnits.h"
#include "instruments/DevicePanel.h"
#include "instruments/PanelReading.h"
#include "instruments/PropertyRules.h"
#include "instruments/XQGPIB32Private.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

namespace XQTestDev {

// Where the instrument is and how it is reached.
QVariant XQGPIB32::DeviceName() const {
    return d->deviceName;
}
void XQGPIB32::setDeviceName(const QVariant& name) {
    d->deviceName = name;
}
QString XQGPIB32::ResourceName() const {
    return d->transport && d->transport->isOpen() ? d->transport->resourceName() : QString();
}
GPIB_BoardNumber XQGPIB32::BoardNumber() const {
    return static_cast<GPIB_BoardNumber>(d->boardNumber);
}
void XQGPIB32::setBoardNumber(GPIB_BoardNumber board) {
    d->boardNumber = board;
    d->boardName = QStringLiteral("GPIB") + QString::number(static_cast<int>(board));
}
GPIB_TimeOut XQGPIB32::TimeOut() const {
    return static_cast<GPIB_TimeOut>(d->timeOut == 0 ? T10s : d->timeOut);
}
void XQGPIB32::setTimeOut(const QVariant& timeout) {
    d->timeOut = timeoutCodeRule(timeout);
}
bool XQGPIB32::SimulateMode() const {
    return d->simulateMode;
}
void XQGPIB32::setSimulateMode(bool simulate) {
    d->simulateMode = simulate;
}
bool XQGPIB32::DisableErrMessage() const {
    return d->disableErrMessage;
}
void XQGPIB32::setDisableErrMessage(bool disable) {
    d->disableErrMessage = disable;
}
bool XQGPIB32::ErrorStatus() const {
    return d->errorStatus;
}
void XQGPIB32::setErrorStatus(bool error) {
    d->errorStatus = error;
}

// What is sent.
QString XQGPIB32::IDcommand() const {
    return d->idCommand;
}
void XQGPIB32::setIDcommand(const QString& command) {
    d->idCommand = command;
}
QString XQGPIB32::InitCommand1() const {
    return d->initCommands[0];
}
void XQGPIB32::setInitCommand1(const QString& command) {
    d->initCommands[0] = command;
}
QString XQGPIB32::InitCommand2() const {
    return d->initCommands[1];
}
void XQGPIB32::setInitCommand2(const QString& command) {
    d->initCommands[1] = command;
}
QString XQGPIB32::InitCommand3() const {
    return d->initCommands[2];
}
void XQGPIB32::setInitCommand3(const QString& command) {
    d->initCommands[2] = command;
}
QString XQGPIB32::InitCommand4() const {
    return d->initCommands[3];
}
void XQGPIB32::setInitCommand4(const QString& command) {
    d->initCommands[3] = command;
}
QString XQGPIB32::InitCommand5() const {
    return d->initCommands[4];
}
void XQGPIB32::setInitCommand5(const QString& command) {
    d->initCommands[4] = command;
}
QString XQGPIB32::WriteFromFile() const {
    return d->writeFromFile;
}
void XQGPIB32::setWriteFromFile(const QString& path) {
    d->writeFromFile = path;
}
QString XQGPIB32::ReadCommand() const {
    return d->readCommand;
}
void XQGPIB32::setReadCommand(const QString& command) {
    d->readCommand = command;
}
double XQGPIB32::WaitForEachCommand() const {
    return d->waitForEachCommand;
}
void XQGPIB32::setWaitForEachCommand(const QVariant& seconds) {
    d->waitForEachCommand = waitRule(seconds);
}
int XQGPIB32::ReadInterval() const {
    return d->readInterval;
}
void XQGPIB32::setReadInterval(const QVariant& milliseconds) {
    d->readInterval = readIntervalRule(milliseconds);
}

// How a reply becomes a reading.
QString XQGPIB32::Delimited() const {
    return d->delimiter();
}
void XQGPIB32::setDelimited(const QString& delimiter) {
    d->delimited = delimiter;
}
double XQGPIB32::ScaleFactor() const {
    return d->scaleFactor;
}
void XQGPIB32::setScaleFactor(double factor) {
    if (factor == 0.0) {
        showExclamation(QStringLiteral(
            "Scale factor must be positive or negative number and not allowed zero!."));
        return;
    }
    d->scaleFactor = factor;
}
double XQGPIB32::Offset() const {
    return d->offset;
}
void XQGPIB32::setOffset(double offset) {
    d->offset = offset;
}
QString XQGPIB32::Unit() const {
    return d->unit;
}
void XQGPIB32::setUnit(const QString& unit) {
    d->unit = unit;
}
double XQGPIB32::Value() const {
    return d->panel().reading().value;
}
QString XQGPIB32::RawValue() const {
    return d->panel().reading().rawValue;
}

// What the panel shows.
QString XQGPIB32::BrandName() const {
    return d->brandName;
}
void XQGPIB32::setBrandName(const QString& brand) {
    d->brandName = brand;
}
QString XQGPIB32::ModelName() const {
    return d->modelName;
}
void XQGPIB32::setModelName(const QString& model) {
    d->modelName = model;
}
QString XQGPIB32::PanelStatus() const {
    return d->panelStatus;
}
void XQGPIB32::setPanelStatus(const QString& text) {
    d->panelStatus = text;
}
QString XQGPIB32::PanelOption() const {
    return d->panelOption;
}
void XQGPIB32::setPanelOption(const QString& text) {
    d->panelOption = text;
}
QString XQGPIB32::PanelParameter() const {
    return d->panelParameter;
}
void XQGPIB32::setPanelParameter(const QString& text) {
    d->panelParameter = text;
}
QString XQGPIB32::CabReference() const {
    return d->cabReference;
}
void XQGPIB32::setCabReference(const QString& caption) {
    d->cabReference = caption;
}
int XQGPIB32::DigitColor() const {
    return d->digitColor;
}
void XQGPIB32::setDigitColor(int color) {
    d->digitColor = color;
}
bool XQGPIB32::AlwaysOnTop() const {
    return d->alwaysOnTop;
}
void XQGPIB32::setAlwaysOnTop(bool onTop) {
    d->alwaysOnTop = onTop;
}
bool XQGPIB32::PanelHide() const {
    return d->panelHide;
}
void XQGPIB32::setPanelHide(bool hide) {
    d->panelHide = hide;
}

// The panel's place and size.
Positions XQGPIB32::PanelPosition() const {
    return static_cast<Positions>(d->panelPosition);
}
void XQGPIB32::setPanelPosition(const QVariant& position) {
    d->panelPosition = panelPositionRule(position);
}
QVariant XQGPIB32::PanelTop() const {
    return d->panelTop;
}
void XQGPIB32::setPanelTop(const QVariant& top) {
    d->panelTop = coordinateRule(top);
    d->panelPosition = 0;
}
QVariant XQGPIB32::PanelLeft() const {
    return d->panelLeft;
}
void XQGPIB32::setPanelLeft(const QVariant& left) {
    d->panelLeft = coordinateRule(left);
    d->panelPosition = 0;
}
int XQGPIB32::PanelHeight() const {
    return windowSizeTwips(d->panel()).height();
}
int XQGPIB32::PanelWidth() const {
    return windowSizeTwips(d->panel()).width();
}

// The status message window, shared by every instrument object.
Positions XQGPIB32::StatusPosition() const {
    return static_cast<Positions>(library().statusPosition);
}
void XQGPIB32::setStatusPosition(Positions position) {
    library().statusPosition = position;
}
QVariant XQGPIB32::StatusTop() const {
    return library().statusTop;
}
void XQGPIB32::setStatusTop(const QVariant& top) {
    library().statusTop = top;
    library().statusPosition = 0;
}
QVariant XQGPIB32::StatusLeft() const {
    return library().statusLeft;
}
void XQGPIB32::setStatusLeft(const QVariant& left) {
    library().statusLeft = left;
    library().statusPosition = 0;
}
bool XQGPIB32::StatusHide() const {
    return library().statusHide;
}
void XQGPIB32::setStatusHide(bool hide) {
    library().statusHide = hide;
}
int XQGPIB32::StatusHeight() const {
    return windowSizeTwips(statusWindow()).height();
}
int XQGPIB32::StatusWidth() const {
    return windowSizeTwips(statusWindow()).width();
}

} // namespace XQTestDev
