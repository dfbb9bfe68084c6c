// Execute's preparation: open the instrument once, identify it, send the
// one-shot commands.

#include "instruments/XQGPIB32Private.h"

#include "frame/InstrumentLog.h"
#include "frame/MessageBox.h"
#include "instruments/DevicePanel.h"
#include "instruments/GpibStatusLines.h"
#include "instruments/Identification.h"
#include "instruments/InstrumentResource.h"
#include "instruments/PanelReading.h"
#include "instruments/PropertyRules.h"

#include <cmath>
#include <limits>

namespace XQTestDev {

namespace {

QString deviceLine(const QString& name, const QString& rest) {
    return QStringLiteral("Device: ") + name + rest;
}

} // namespace

void XQGPIB32Private::showOnError(const QString& text) const {
    if (errorStatus && !disableErrMessage)
        showExclamation(text);
}

void XQGPIB32Private::clearOneShotCommands() {
    for (QString& command : initCommands)
        command.clear();
    writeFromFile.clear();
    waitForEachCommand = 0.0;
}

bool XQGPIB32Private::openDevice() {
    if (isEmptyOrZero(deviceName)) {
        showExclamation(QStringLiteral("Not found value in DeviceName property!"));
        errorStatus = true;
        return false;
    }
    const QString name = deviceNameText();
    writeStatusLine(0, deviceLine(name, QStringLiteral(" Initializing ...")));
    const bool byAddress = isNumberValue(deviceName);
    if (byAddress) {
        const double address = std::nearbyint(numberOf(deviceName));
        // No 16-bit address: nothing to open, and nothing else to try.
        if (address < std::numeric_limits<qint16>::min() ||
            address > std::numeric_limits<qint16>::max()) {
            errorStatus = true;
            return false;
        }
    }
    const ParsedResource parsed = parseDeviceName(deviceName, boardNumber);
    if (!parsed.resource) {
        showExclamation(malformedResourceMessage(name, parsed.problem));
        errorStatus = true;
        return false;
    }
    if (parsed.resource->isGpib() && looksLikeResource(name))
        q.setBoardNumber(static_cast<GPIB_BoardNumber>(parsed.resource->board));
    std::shared_ptr<Transport> opening = makeTransport(*parsed.resource, q.TimeOut());
    opening->open();
    transport = opening;
    checkStatus();
    if (errorStatus) {
        transport.reset(); // whatever was tried, nothing is open
        descriptor = 0;
        showOnError(byAddress ? QStringLiteral("Error sending ibdev or ibclr command!")
                              : QStringLiteral("Error sending ibfind or ibclr command!"));
        return false;
    }
    descriptor = static_cast<qint16>(transport->handle());
    writeStatusLine(
        0, deviceLine(name, QStringLiteral(" found address ") + QString::number(descriptor)));
    noteInstrumentUsed(transport->resourceName());
    return true;
}

bool XQGPIB32Private::identify() {
    const QString name = deviceNameText();
    currentCommand = identificationQuery();
    writeStatusLine(
        0, deviceLine(name, QStringLiteral(" reading ") + currentCommand + QStringLiteral(" ...")));
    if (!writeCommand())
        return false;
    checkStatus();
    if (errorStatus) {
        showOnError(QStringLiteral("Error sending *IDN or ") + idCommand +
                    QStringLiteral(" command!"));
        return false;
    }
    const QString reply = readReply();
    checkStatus();
    if (errorStatus) {
        showOnError(QStringLiteral("Error sending ") + readCommand + QStringLiteral(" command!"));
        return false;
    }
    const Identification found = parseIdentification(reply, delimiter(), brandName, modelName);
    brandName = found.brandName;
    modelName = found.modelName;
    noteInstrumentUsed(transport->resourceName(), reply.trimmed());
    writeStatusLine(0, QStringLiteral("Found: ") + found.foundText);
    if (found.unknown)
        showCritical(
            QStringLiteral("Possible detected the address is assigned more then one devices!"));
    return true;
}

bool XQGPIB32Private::sendOneShotCommands() {
    const QString name = deviceNameText();
    for (int index = 0; index <= static_cast<int>(initCommands.size()); ++index) {
        const bool isFile = index == static_cast<int>(initCommands.size());
        const QString& command =
            isFile ? writeFromFile : initCommands.at(static_cast<size_t>(index));
        if (command.isEmpty())
            continue;
        currentCommand = command;
        writeStatusLine(0, deviceLine(name, QStringLiteral(" writing ") + currentCommand +
                                                QStringLiteral(" ...")));
        if (!(isFile ? writeFile() : writeCommand()))
            return false;
        checkStatus();
        if (errorStatus) {
            showOnError(QStringLiteral("Error sending ") + currentCommand +
                        QStringLiteral(" command!"));
            return false;
        }
    }
    return true;
}

void XQGPIB32Private::prepare() {
    placeStatusWindow();
    if (simulateMode) {
        descriptor = 0;
        transport.reset();
        const QString name = deviceNameText();
        writeStatusLine(
            0, deviceLine(name, QStringLiteral(" found address ") + QString::number(descriptor)));
        writeStatusLine(1, QStringLiteral("Simulate mode is running ..."));
        clearOneShotCommands();
        return;
    }
    if (!(transport && transport->isOpen()) && !(openDevice() && identify()))
        return;
    writeStatusLine(0, QString());
    writeStatusLine(1, QString());
    panel().reading().value = 0.0;
    if (sendOneShotCommands())
        clearOneShotCommands();
}

} // namespace XQTestDev
