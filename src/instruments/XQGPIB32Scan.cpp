// ScanDevices: the instruments that answer on the object's board.

#include <XQTestDev/XQGPIB32.h>

#include "frame/EventPause.h"
#include "frame/MessageBox.h"
#include "instruments/DevicePanel.h"
#include "instruments/GpibBinding.h"
#include "instruments/GpibCalls.h"
#include "instruments/GpibStatusLines.h"
#include "instruments/GpibTransport.h"
#include "instruments/PanelReading.h"
#include "instruments/ScanEntry.h"
#include "instruments/XQGPIB32Private.h"

#include <algorithm>

namespace XQTestDev {

namespace {

constexpr long ReplyBufferSize = 50;

GpibAddressList allAddresses() {
    GpibAddressList list{};
    for (int address = gpib::FirstAddress; address <= gpib::LastAddress; ++address)
        list[static_cast<size_t>(address - 1)] = static_cast<Addr4882_t>(address);
    list.back() = gpib::NoAddress;
    return list;
}

} // namespace

namespace {

// Runs the status check after one scan step and says which step failed.
void checkScanStep(XQGPIB32Private& device, const char* message) {
    const bool disabled = device.disableErrMessage;
    // The scan talks to the bus, whatever the object's own instrument is.
    device.checkStatus(gpibBusStatus());
    if (device.errorStatus && !disabled)
        showExclamation(QLatin1String(message));
}

void checkBoard(XQGPIB32Private& device) {
    const QString& board = device.boardName;
    placeStatusWindow();
    device.panel().reading().value = 0.0;
    writeStatusLine(0, QStringLiteral("Board: ") + board + QStringLiteral(" is scanning ..."));
    const int boardDescriptor = gpibOpenByName(board);
    if (boardDescriptor < 0) {
        writeStatusLine(0, QStringLiteral("Not found GPIB board ") + board);
        writeStatusLine(1, QString());
        return;
    }
    writeStatusLine(0, QStringLiteral("Board: ") + board + QStringLiteral(" found address ") +
                           QString::number(boardDescriptor));
    writeStatusLine(1, QStringLiteral("Board: ") + board + QStringLiteral(" is ready ... "));
}

} // namespace

void XQGPIB32::ScanDevices(QVariantList& DevicesList) {
    const QString query = d->identificationQuery();
    placeStatusWindow();
    writeStatusLine(0, QStringLiteral("Devices is scanning ..."));
    if (d->simulateMode) {
        writeStatusLine(1, QStringLiteral("Simulate mode is running ..."));
        DevicesList = {QStringLiteral("Dummy Device 0"), QString()};
        return;
    }
    letPendingEventsRun();
    checkBoard(*d);
    const int board = d->boardNumber;

    gpibSendIFC(board);
    checkScanStep(*d, "Error sending IFC command!");

    const GpibAddressList addresses = allAddresses();
    GpibAddressList listeners{};
    gpibFindListeners(board, addresses, listeners, gpib::LastAddress);
    letPendingEventsRun();
    checkScanStep(*d, "Error devices listener command!");
    const int found = std::clamp(static_cast<int>(gpibMirrors().count), 0, gpib::LastAddress);
    listeners[static_cast<size_t>(found)] = gpib::NoAddress;

    gpibDevClearList(board, listeners);
    letPendingEventsRun();
    checkScanStep(*d, "Error clearing devices command!");

    gpibSendList(board, listeners, toDriverText(query), gpib::NLend);
    letPendingEventsRun();
    checkScanStep(*d, "Error sending list command!");

    DevicesList.clear(); // no listener: an empty list
    for (int index = 0; index < found; ++index) {
        letPendingEventsRun();
        const Addr4882_t address = listeners[static_cast<size_t>(index)];
        const GpibReceived received =
            gpibReceive(board, address, ReplyBufferSize, gpib::STOPend, ' ');
        checkScanStep(*d, "Error receiving command!");
        const QString entry = scanEntry(received.buffer, received.count, address);
        DevicesList.append(entry);
        writeStatusLine(1, QStringLiteral("Found ") + entry);
    }
    writeStatusLine(0, QStringLiteral("Ideal ..."));
    writeStatusLine(1, QString());
}

} // namespace XQTestDev
