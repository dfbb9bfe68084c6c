#include "config/IniText.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace XQTestDev {

namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1. Undefined
// positions map to themselves, as the platform does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray Utf8Mark("\xEF\xBB\xBF");
const QByteArray Utf16LEMark("\xFF\xFE");
const QByteArray Utf16BEMark("\xFE\xFF");

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QByteArray utf16ToUtf8(QByteArrayView units, QStringDecoder::Encoding encoding) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return QString(decoder.decode(units)).toUtf8();
}

QByteArray utf8ToUtf16(const QByteArray& body, QStringEncoder::Encoding encoding) {
    QStringEncoder encoder(encoding, QStringEncoder::Flag::Stateless);
    return encoder.encode(QString::fromUtf8(body));
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
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return decodeWindows1252(bytes);
}

bool isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int follow = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (end - p < follow)
            return false;
        for (int i = 0; i < follow; ++i, ++p) {
            if ((*p & 0xC0u) != 0x80u)
                return false;
            code = (code << 6) | (*p & 0x3Fu);
        }
        // Overlong forms, surrogates and code points past Unicode.
        if ((follow == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (follow == 3 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
    }
    return true;
}

IniBody decodeIniFile(const QByteArray& file) {
    if (file.startsWith(Utf8Mark))
        return {IniEncoding::Utf8Bom, file.sliced(Utf8Mark.size())};
    if (file.startsWith(Utf16LEMark))
        return {IniEncoding::Utf16LE,
                utf16ToUtf8(QByteArrayView(file).sliced(2), QStringDecoder::Utf16LE)};
    if (file.startsWith(Utf16BEMark))
        return {IniEncoding::Utf16BE,
                utf16ToUtf8(QByteArrayView(file).sliced(2), QStringDecoder::Utf16BE)};
    if (!isAscii(file) && !isValidUtf8(file))
        return {IniEncoding::Windows1252, file};
    return {IniEncoding::Utf8, file};
}

QByteArray encodeIniFile(IniEncoding encoding, const QByteArray& body) {
    switch (encoding) {
    case IniEncoding::Utf8:
    case IniEncoding::Windows1252:
        return body;
    case IniEncoding::Utf8Bom:
        return Utf8Mark + body;
    case IniEncoding::Utf16LE:
        return Utf16LEMark + utf8ToUtf16(body, QStringEncoder::Utf16LE);
    case IniEncoding::Utf16BE:
        return Utf16BEMark + utf8ToUtf16(body, QStringEncoder::Utf16BE);
    }
    return body;
}

int windows1252Byte(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (int i = 0; i < static_cast<int>(Cp1252High.size()); ++i) {
        if (Cp1252High[i] == character)
            return 0x80 + i;
    }
    return -1;
}

bool toWindows1252(const QString& text, QByteArray& out) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int byte = c.isSurrogate() ? -1 : windows1252Byte(c.unicode());
        if (byte < 0)
            return false;
        bytes.append(static_cast<char>(byte));
    }
    out = std::move(bytes);
    return true;
}

QByteArray encodeIniText(const QString& text, IniEncoding encoding) {
    QByteArray bytes;
    // Windows-1252 bytes that happen to form UTF-8 would read back as UTF-8.
    if (encoding == IniEncoding::Windows1252 && toWindows1252(text, bytes) &&
        (isAscii(bytes) || !isValidUtf8(bytes)))
        return bytes;
    return text.toUtf8();
}

} // namespace XQTestDev
