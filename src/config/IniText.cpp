#include "config/IniText.h"

#include <QStringDecoder>

#include <array>

namespace XQTestDev {

namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1. Undefined
// positions map to themselves, as the platform does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *dst++ = (byte >= 0x80 && byte < 0xA0) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return out;
}

QString decodeIniBytes(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

} // namespace XQTestDev
