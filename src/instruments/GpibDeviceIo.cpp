// The routines through which an instrument object talks to the driver.

#include "instruments/XQGPIB32Private.h"

#include "frame/EventPause.h"
#include "frame/InstrumentLog.h"
#include "frame/MessageBox.h"
#include "instruments/GpibBinding.h"
#include "instruments/GpibCalls.h"
#include "instruments/GpibStatusLines.h"
#include "instruments/GpibStatusText.h"
#include "instruments/GpibTransport.h"
#include "instruments/PropertyRules.h"
#include "instruments/SimulatedReply.h"

#include <QFileInfo>

#include <functional>

namespace XQTestDev {

namespace {

constexpr long ReadBufferSize = 65526;
const QString SimulateLine = QStringLiteral("Simulate mode is running ...");

// A reply ends at its first NUL byte, as a C string does.
QString replyText(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return fromDriverText(nul < 0 ? bytes : bytes.left(nul));
}

} // namespace

bool XQGPIB32Private::mayTalkToDevice() {
    if (transport && transport->isOpen() && !isEmptyOrZero(deviceName))
        return true;
    // Without a descriptor nothing is ever sent, messages or not: descriptor
    // 0 would address the board itself.
    if (!disableErrMessage)
        showExclamation(QStringLiteral("Not found value in DeviceName or Command property!"));
    errorStatus = true;
    return false;
}

void XQGPIB32Private::pause() const {
    if (waitForEachCommand <= 0) {
        letPendingEventsRun();
        return;
    }
    letEventsRunFor(waitForEachCommand);
}

void XQGPIB32Private::writeToDevice(const std::function<void()>& send) {
    writeStatusLine(0, QStringLiteral("Device: ") + deviceNameText() + QStringLiteral(" writing ") +
                           currentCommand.toUpper() + QStringLiteral(" ..."));
    writeStatusLine(1, QString());
    send();
    pause();
    writeStatusLine(1, QStringLiteral("Write done ..."));
}

bool XQGPIB32Private::writeCommand() {
    letPendingEventsRun();
    if (simulateMode) {
        writeStatusLine(0, QStringLiteral("Device: Dummy command is writing ..."));
        writeStatusLine(1, SimulateLine);
        return true;
    }
    if (!mayTalkToDevice())
        return false;
    writeToDevice([this] { transport->write(toDriverText(currentCommand)); });
    return true;
}

bool XQGPIB32Private::writeFile() {
    letPendingEventsRun();
    if (!QFileInfo(currentCommand).isFile()) {
        // Nothing is sent, yet the file was tried: the status check that
        // follows judges the last driver call, and the one-shot commands are
        // cleared, so the next Execute does not send them (a second *RST).
        showExclamation(QStringLiteral("Invalid path/filename, unable write data from file!"));
        return true;
    }
    if (simulateMode) {
        writeStatusLine(0, QStringLiteral("Device: Dummy command writing ..."));
        writeStatusLine(1, SimulateLine);
        return true;
    }
    if (!mayTalkToDevice())
        return false;
    writeToDevice([this] { transport->writeFile(currentCommand); });
    return true;
}

QString XQGPIB32Private::readReply() {
    if (simulateMode) {
        writeStatusLine(0, QStringLiteral("Device: dummy command is reading ..."));
        writeStatusLine(1, SimulateLine);
        return simulatedReply();
    }
    if (currentCommand.isEmpty())
        return {};
    if (!mayTalkToDevice())
        return {};
    writeStatusLine(1, QStringLiteral("Device: ") + deviceNameText() +
                           QStringLiteral(" data is reading ..."));
    letPendingEventsRun();
    const QString reply =
        withoutOuterBlanks(replyText(transport->read(ReadLimit{ReadBufferSize, '\n'})));
    // Whichever object reads (the instrument or its panel's reader), the run used it.
    noteInstrumentUsed(transport->resourceName());
    pause();
    writeStatusLine(1, QStringLiteral("Read done ..."));
    return reply;
}

void XQGPIB32Private::checkStatus() {
    checkStatus(transport ? transport->status() : gpibBusStatus());
}

void XQGPIB32Private::checkStatus(const TransportStatus& status) {
    errorStatus = false;
    QString text = gpibStatusText(status.statusWord, status.errorCode);
    if (text.isEmpty())
        return;
    // Off the bus the system's own words follow the driver's texts.
    if (!status.reason.isEmpty())
        text += status.reason + QStringLiteral("; ");
    if (!disableErrMessage)
        showExclamation(gpibErrorMessage(deviceNameText(), text));
    errorStatus = true;
}

} // namespace XQTestDev
