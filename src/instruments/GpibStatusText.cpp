#include "instruments/GpibStatusText.h"

#include "instruments/GpibApi.h"

#include <array>
#include <utility>

namespace XQTestDev {

namespace {

using Entry = std::pair<int, const char*>;

constexpr std::array<Entry, 13> BitTexts{{
    {0x4000, "Timeout; "},
    {0x2000, "EOI or EOS detected; "},
    {0x1000, "SRQ detected by CIC; "},
    {0x0800, "Device requesting service; "},
    {0x0100, "I/O completed; "},
    {0x0080, "Local lockout state; "},
    {0x0040, "Remote state; "},
    {0x0020, "Controller-in-Charge; "},
    {0x0010, "Attention asserted; "},
    {0x0008, "Talker active; "},
    {0x0004, "Listener active; "},
    {0x0002, "Device trigger state; "},
    {0x0001, "Device clear state; "},
}};

constexpr std::array<Entry, 16> ErrorTexts{{
    {0, "DOS error; "},
    {1, "Function requires GPIB board to be CIC; "},
    {2, "Write function detected no listeners; "},
    {3, "Interface board not addressed correctly; "},
    {4, "Invalid argument to function call; "},
    {5, "Function requires GPIB board to be SAC; "},
    {6, "I/O operation aborted; "},
    {7, "Non-existent interface board; "},
    {8, "DMA Error; "},
    {10, "I/O operation started before previous operation completed; "},
    {11, "No capability for intended operation; "},
    {12, "File system operation error; "},
    {14, "Command error during device call; "},
    {15, "Serial poll status byte lost; "},
    {16, "SRQ remains asserted; "},
    {20, "The return buffer is full; "},
}};

} // namespace

QString gpibStatusText(quint16 statusWord, int errorCode) {
    if ((statusWord & gpib::ErrorBit) == 0)
        return {};
    QString text = QStringLiteral("Error detected; ");
    for (const auto& [bit, bitText] : BitTexts) {
        if (statusWord & bit)
            text += QLatin1String(bitText);
    }
    for (const auto& [code, codeText] : ErrorTexts) {
        if (code == errorCode)
            text += QLatin1String(codeText);
    }
    return text;
}

QString gpibErrorMessage(const QString& deviceName, const QString& statusText) {
    return QStringLiteral("GPIB Error: ") + deviceName + QLatin1Char(' ') + statusText +
           QLatin1Char('!');
}

} // namespace XQTestDev
