// The instrument object: its life, Execute and the panel's Show, Hide, Done.

#include <XQTestDev/XQGPIB32.h>

#include "frame/LibraryState.h"
#include "frame/Placement.h"
#include "instruments/DevicePanel.h"
#include "instruments/GpibBinding.h"
#include "instruments/GpibStatusLines.h"
#include "instruments/PanelReading.h"
#include "instruments/PropertyRules.h"
#include "instruments/XQGPIB32Private.h"

namespace XQTestDev {

XQGPIB32Private::XQGPIB32Private(XQGPIB32& owner)
    : q(owner), panel_([this](DevicePanel& opened) {
          PanelReading& reading = opened.reading();
          QObject::connect(&reading, &PanelReading::valueChanged, &q, &XQGPIB32::ValueChanged);
          QObject::connect(&reading, &PanelReading::readingFailed, &q,
                           [this] { errorStatus = true; });
          if (!reading.settings.simulateMode)
              reading.createReader();
      }) {}

XQGPIB32Private::~XQGPIB32Private() {
    // Now, not later: the panel's timer must not start another reading for
    // an object that is gone.
    delete panel_.release();
}

DevicePanel& XQGPIB32Private::panel() {
    return panel_.get();
}

QString XQGPIB32Private::delimiter() const {
    return delimited.isEmpty() ? QStringLiteral("\n") : delimited;
}

QString XQGPIB32Private::identificationQuery() const {
    return idCommand.isEmpty() ? QStringLiteral("*IDN?") : idCommand;
}

void XQGPIB32Private::handOverToPanel() {
    DevicePanel& window = panel();
    PanelSettings& settings = window.reading().settings;
    settings.deviceName = deviceName;
    settings.conversion.offset = offset;
    settings.conversion.scaleFactor = scaleFactor;
    settings.simulateMode = simulateMode;
    settings.conversion.delimiter = delimiter();
    settings.transport = transport;
    settings.disableErrMessage = disableErrMessage;
    settings.readCommand = readCommand;
    settings.conversion.unit = unit;
    settings.alwaysOnTop = alwaysOnTop;
    settings.cabReference = cabReference;
    window.setWindowTitle((QStringLiteral("GPIB instrument ") + deviceNameText()).trimmed());
}

void XQGPIB32Private::showPanel() {
    DevicePanel& window = panel();
    if (window.isPutAway()) {
        window.takeOutOfCabinet();
    } else {
        const QPointF stored(numberOf(panelLeft), numberOf(panelTop));
        const QPointF at = placeWindow(window, panelPosition, stored);
        if (panelPosition >= Center && panelPosition <= RightDown) {
            panelTop = static_cast<float>(at.y());
            panelLeft = static_cast<float>(at.x());
        }
        window.show();
    }
    handOverToPanel();
    window.setLines(brandName + QLatin1Char(' ') + modelName, panelOption, panelParameter,
                    panelStatus);
    if (digitColor != -1)
        window.setDigitColor(digitColor);
}

XQGPIB32::XQGPIB32(QObject* parent) : QObject(parent), d(std::make_unique<XQGPIB32Private>(*this)) {
    ensureLibraryStarted();
    markGpibThreadUnbound();
}

XQGPIB32::~XQGPIB32() = default;

void XQGPIB32::Execute() {
    d->prepare();
    if (d->errorStatus && !d->disableErrMessage) {
        writeStatusLine(0, QStringLiteral("Found device ") + d->deviceNameText() +
                               QStringLiteral(" error!"));
        return;
    }
    d->handOverToPanel();
    DevicePanel& panel = d->panel();
    // A reading stopped by a failure starts again with a new reader.
    if (!d->simulateMode)
        panel.reading().createReader();
    panel.reading().setInterval(d->readInterval);
    if (d->readInterval == 0)
        panel.reading().runCycle();
    if (!d->existingPanel())
        return; // the operator closed it meanwhile
    const QString brandModel = d->brandName + QLatin1Char(' ') + d->modelName;
    panel.setLines(brandModel, d->panelOption, d->panelParameter, d->panelStatus);
    if (d->cabReference.isEmpty()) {
        d->cabReference = brandModel;
        panel.reading().settings.cabReference = d->cabReference;
    }
    if (d->digitColor != -1)
        panel.setDigitColor(d->digitColor);
    if (!d->panelHide)
        Show();
}

void XQGPIB32::ClearAllCommand() {
    for (QString& command : d->initCommands)
        command.clear();
    d->writeFromFile.clear();
    d->readCommand.clear();
    d->waitForEachCommand = 0.0;
}

void XQGPIB32::Show() {
    d->showPanel();
}

void XQGPIB32::Hide() {
    if (DevicePanel* panel = d->existingPanel())
        panel->hide();
}

void XQGPIB32::Done() {
    if (DevicePanel* panel = d->existingPanel())
        panel->unload();
}

} // namespace XQTestDev
