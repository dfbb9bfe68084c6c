#include "instruments/PanelReading.h"

#include "frame/Clock.h"
#include "frame/EventPause.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "instruments/DevicePanel.h"
#include "instruments/GpibStatusLines.h"
#include "instruments/SimulatedReply.h"
#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/XQGPIB32.h>

namespace XQTestDev {

PanelReading::PanelReading(DevicePanel& panel, ClockTimer& timer)
    : QObject(&panel), panel_(panel), timer_(timer) {}

PanelReading::~PanelReading() {
    delete reader_.data();
}

void PanelReading::createReader() {
    if (!reader_)
        reader_ = new XQGPIB32;
}

void PanelReading::releaseReader() {
    // Later: a cycle further up the stack may still be inside the reader.
    if (reader_)
        reader_->deleteLater();
    reader_.clear();
}

void PanelReading::setInterval(int milliseconds) {
    timer_.setInterval(milliseconds);
    if (milliseconds > 0)
        timer_.start();
    else
        timer_.stop();
}

void PanelReading::runCycle() {
    QPointer<DevicePanel> alive(&panel_);
    letPendingEventsRun();
    if (!alive)
        return;
    panel_.toggleLamp();
    if (settings.readCommand.isEmpty()) {
        panel_.setReadingText(QStringLiteral("--.-- ") + settings.conversion.unit);
        return;
    }
    QString reply;
    if (settings.simulateMode) {
        reply = simulatedReply();
    } else {
        timer_.stop();
        if (!readThroughReader(reply) || !alive)
            return;
    }
    rawValue = reply;
    const ConvertedReading reading = convertReply(reply, settings.conversion);
    if (reading.isNumber) {
        value = reading.value;
        if (value != lastEventValue) {
            lastEventValue = value;
            emit valueChanged(value, QVariant(rawValue));
            if (!alive)
                return;
        }
    }
    panel_.setReadingText(reading.valueText + QLatin1Char(' ') + reading.unitText);
    if (timer_.interval() > 0)
        timer_.start();
    finishCycle();
}

bool PanelReading::readThroughReader(QString& reply) {
    // A released reader never reaches the instrument again.
    QPointer<XQGPIB32> reader = reader_;
    if (!reader)
        return false;
    XQGPIB32Private& io = XQGPIB32Private::of(*reader);
    io.deviceName = settings.deviceName;
    io.transport = settings.transport;
    io.disableErrMessage = settings.disableErrMessage;
    io.currentCommand = settings.readCommand;
    const bool sent = io.writeCommand();
    if (!reader)
        return false;
    if (sent) {
        io.errorStatus = false;
        io.checkStatus();
    }
    if (io.errorStatus) {
        stopAfterDriverError();
        return false;
    }
    // A read that fails (a timeout, a lost connection) is no reading of 0.
    reply = io.readReply();
    if (!reader)
        return false;
    io.errorStatus = false;
    io.checkStatus();
    if (io.errorStatus) {
        stopAfterDriverError();
        return false;
    }
    return true;
}

void PanelReading::stopAfterDriverError() {
    if (!settings.disableErrMessage)
        showExclamation(QStringLiteral("Found device ") + deviceNameText() +
                        QStringLiteral(" error!"));
    releaseReader();
    emit readingFailed();
    writeStatusLine(0, QStringLiteral("GPIB error, device ") + deviceNameText());
    writeStatusLine(1, QString());
    bringStatusWindowToFront();
}

void PanelReading::finishCycle() {
    if (!settings.simulateMode) {
        writeStatusLine(1, QString());
        letPendingEventsRun();
        return;
    }
    writeStatusLine(0, QStringLiteral("Device: dummy command is reading ..."));
    writeStatusLine(1, QStringLiteral("Simulate mode is running ..."));
    bringStatusWindowToFront();
    if (settings.alwaysOnTop && !library().onTopSuspended)
        panel_.raise();
}

} // namespace XQTestDev
