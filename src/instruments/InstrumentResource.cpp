#include "instruments/InstrumentResource.h"

#include "instruments/PropertyRules.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace XQTestDev {

namespace {

using Kind = InstrumentResource::Kind;

const QRegularExpression& interfaceWord() {
    static const QRegularExpression word(QStringLiteral("^(GPIB|TCPIP|USB)(\\d*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return word;
}

// A whole number within [low, high], decimal or (when allowed) 0x hex.
std::optional<int> wholeNumber(const QString& text, int low, int high, bool hexAllowed) {
    bool ok = false;
    int value = 0;
    if (hexAllowed && text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else if (!text.isEmpty() && text.front().isDigit())
        value = text.toInt(&ok, 10);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

ParsedResource problem(const QString& text) {
    return {std::nullopt, text};
}

ParsedResource parseGpib(const QStringList& parts, InstrumentResource resource) {
    if (parts.size() != 3 && parts.size() != 4)
        return problem(
            QStringLiteral("a GPIB resource is GPIB[board]::address[::secondary]::INSTR"));
    const auto address = wholeNumber(parts.at(1), 0, 30, false);
    if (!address)
        return problem(QStringLiteral("the GPIB address must be 0 to 30"));
    resource.kind = Kind::GpibAddress;
    resource.primaryAddress = *address;
    if (parts.size() == 4) {
        const auto secondary = wholeNumber(parts.at(2), 0, 30, false);
        if (!secondary)
            return problem(QStringLiteral("the secondary address must be 0 to 30"));
        resource.secondaryAddress = *secondary;
    }
    return {resource, {}};
}

ParsedResource parseTcpip(const QStringList& parts, const QString& suffix,
                          InstrumentResource resource) {
    if (parts.at(1).isEmpty())
        return problem(QStringLiteral("the host is missing"));
    resource.host = parts.at(1).toLower();
    if (suffix == QStringLiteral("SOCKET")) {
        if (parts.size() != 4)
            return problem(QStringLiteral("a socket resource is TCPIP[board]::host::port::SOCKET"));
        const auto port = wholeNumber(parts.at(2), 1, 65535, false);
        if (!port)
            return problem(QStringLiteral("the port must be 1 to 65535"));
        resource.kind = Kind::Socket;
        resource.port = *port;
        return {resource, {}};
    }
    if (parts.size() != 3 && parts.size() != 4)
        return problem(QStringLiteral("a VXI-11 resource is TCPIP[board]::host[::device]::INSTR"));
    resource.kind = Kind::Vxi11;
    resource.device = parts.size() == 4 ? parts.at(2) : QStringLiteral("inst0");
    if (resource.device.isEmpty())
        return problem(QStringLiteral("the device name is empty"));
    return {resource, {}};
}

ParsedResource parseUsb(const QStringList& parts, InstrumentResource resource) {
    if (parts.size() != 5 && parts.size() != 6)
        return problem(QStringLiteral(
            "a USB resource is USB[board]::vendor::product::serial[::interface]::INSTR"));
    const auto vendor = wholeNumber(parts.at(1), 0, 0xFFFF, true);
    const auto product = wholeNumber(parts.at(2), 0, 0xFFFF, true);
    if (!vendor || !product)
        return problem(
            QStringLiteral("vendor and product ids must be 0 to 65535 (decimal or 0x hex)"));
    if (parts.at(3).isEmpty())
        return problem(QStringLiteral("the serial number is missing"));
    resource.kind = Kind::Usbtmc;
    resource.vendorId = *vendor;
    resource.productId = *product;
    resource.serial = parts.at(3);
    if (parts.size() == 6) {
        const auto interfaceNumber = wholeNumber(parts.at(4), 0, 255, false);
        if (!interfaceNumber)
            return problem(QStringLiteral("the interface number must be 0 to 255"));
        resource.interfaceNumber = *interfaceNumber;
    }
    return {resource, {}};
}

ParsedResource parseResource(const QString& text) {
    const QStringList parts = text.trimmed().split(QStringLiteral("::"));
    const QRegularExpressionMatch word = interfaceWord().match(parts.front());
    if (!word.hasMatch() || parts.size() < 3)
        return problem(QStringLiteral("not a GPIB, TCPIP or USB resource"));
    InstrumentResource resource;
    const QString board = word.captured(2);
    const auto boardNumber =
        board.isEmpty() ? std::optional<int>(0) : wholeNumber(board, 0, 9, false);
    if (!boardNumber)
        return problem(QStringLiteral("the board number must be 0 to 9"));
    resource.board = *boardNumber;
    const QString suffix = parts.back().toUpper();
    const QString interface = word.captured(1).toUpper();
    if (suffix != QStringLiteral("INSTR") &&
        !(interface == QStringLiteral("TCPIP") && suffix == QStringLiteral("SOCKET")))
        return problem(
            QStringLiteral("it must end in ::INSTR") +
            (interface == QStringLiteral("TCPIP") ? QStringLiteral(" or ::SOCKET") : QString()));
    if (interface == QStringLiteral("GPIB"))
        return parseGpib(parts, resource);
    if (interface == QStringLiteral("TCPIP"))
        return parseTcpip(parts, suffix, resource);
    return parseUsb(parts, resource);
}

QString hex4(int value) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

bool looksLikeResource(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype separator = trimmed.indexOf(QStringLiteral("::"));
    return separator > 0 && interfaceWord().match(trimmed.left(separator)).hasMatch();
}

ParsedResource parseDeviceName(const QVariant& deviceName, int board) {
    InstrumentResource resource;
    resource.board = board;
    if (isNumberValue(deviceName)) {
        // Any address goes to the driver, which answers for the bus.
        const double address = std::clamp(std::nearbyint(numberOf(deviceName)), -32768.0, 32767.0);
        resource.primaryAddress = static_cast<int>(address);
        return {resource, {}};
    }
    const QString text = deviceName.toString();
    if (!looksLikeResource(text) && !text.contains(QStringLiteral("::"))) {
        resource.kind = Kind::GpibName;
        resource.name = text;
        return {resource, {}};
    }
    return parseResource(text);
}

QString malformedResourceMessage(const QString& text, const QString& problem) {
    return QStringLiteral("Invalid instrument resource \"") + text + QStringLiteral("\": ") +
           problem + QLatin1Char('!');
}

QString InstrumentResource::canonical() const {
    const QString number = QString::number(board);
    switch (kind) {
    case Kind::GpibAddress:
        return QStringLiteral("GPIB") + number + QStringLiteral("::") +
               QString::number(primaryAddress) +
               (secondaryAddress >= 0 ? QStringLiteral("::") + QString::number(secondaryAddress)
                                      : QString()) +
               QStringLiteral("::INSTR");
    case Kind::GpibName:
        return name;
    case Kind::Socket:
        return QStringLiteral("TCPIP") + number + QStringLiteral("::") + host +
               QStringLiteral("::") + QString::number(port) + QStringLiteral("::SOCKET");
    case Kind::Vxi11:
        return QStringLiteral("TCPIP") + number + QStringLiteral("::") + host +
               QStringLiteral("::") + device + QStringLiteral("::INSTR");
    case Kind::Usbtmc:
        return QStringLiteral("USB") + number + QStringLiteral("::") + hex4(vendorId) +
               QStringLiteral("::") + hex4(productId) + QStringLiteral("::") + serial +
               (interfaceNumber >= 0 ? QStringLiteral("::") + QString::number(interfaceNumber)
                                     : QString()) +
               QStringLiteral("::INSTR");
    }
    return {};
}

} // namespace XQTestDev
