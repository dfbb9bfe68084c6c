#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace XQTestDev {

// Where an instrument is and how it is reached, parsed once from DeviceName:
// a number is a GPIB primary address, a plain text a configured GPIB name,
// and a VISA resource string chooses the transport.
struct InstrumentResource {
    enum class Kind { GpibAddress, GpibName, Socket, Vxi11, Usbtmc };

    Kind kind = Kind::GpibAddress;
    int board = 0;             // the number after the interface word
    int primaryAddress = 0;    // GPIB
    int secondaryAddress = -1; // GPIB, -1 when none
    QString name;              // GPIB configured name
    QString host;              // TCPIP
    int port = 0;              // TCPIP socket
    QString device;            // VXI-11 device, "inst0" unless given
    int vendorId = 0;          // USB
    int productId = 0;         // USB
    QString serial;            // USB
    int interfaceNumber = -1;  // USB, -1 when none

    bool isGpib() const { return kind == Kind::GpibAddress || kind == Kind::GpibName; }
    // The one text form: "GPIB0::22::INSTR", "TCPIP0::10.0.0.5::5025::SOCKET",
    // "TCPIP0::10.0.0.5::inst0::INSTR", "USB0::0x0957::0x1796::MY123::INSTR".
    // A configured GPIB name has no resource form and reads as itself.
    QString canonical() const;
};

struct ParsedResource {
    std::optional<InstrumentResource> resource;
    QString problem; // why the text is no resource, when it is none
};

// True for a text that claims to be a resource string (an interface word
// followed by "::"), so it is parsed as one rather than taken as a name.
bool looksLikeResource(const QString& text);

// `board` is BoardNumber, used by the two plain GPIB forms.
ParsedResource parseDeviceName(const QVariant& deviceName, int board);

// "Invalid instrument resource "TEXT": PROBLEM!"
QString malformedResourceMessage(const QString& text, const QString& problem);

} // namespace XQTestDev
