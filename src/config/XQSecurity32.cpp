#include "config/XQSecurity32.h"

#include "config/IniText.h"

namespace XQTestDev {

namespace {

constexpr std::uint32_t ReflectedPolynomial = 0xEDB88320u;

// Blanks only: a tab inside a line is part of its text.
QString withoutSurroundingBlanks(const QString& line) {
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && line.at(end - 1) == QLatin1Char(' '))
        --end;
    return line.mid(begin, end - begin);
}

// Calls `visit` with each line of the file, without its line end. CR LF, LF
// and a lone CR all end a line.
template <typename Visit> void forEachLine(QByteArrayView bytes, Visit visit) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        visit(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        visit(bytes.sliced(start));
}

// The bytes a character is hashed as: its Windows-1252 byte, or its UTF-8
// bytes when the code page has no place for it.
int hashedLength(char32_t character) {
    if (windows1252Byte(character) >= 0)
        return 1;
    return character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
}

void appendHashed(QByteArray& out, char32_t character) {
    const int byte = windows1252Byte(character);
    if (byte >= 0) {
        out.append(static_cast<char>(byte));
        return;
    }
    out += QString::fromUcs4(&character, 1).toUtf8();
}

// Upper case one character at a time, and only where the upper-case letter
// takes as many bytes as the letter itself: "\u00DF" stays as it is rather
// than becoming "SS", "\u00B5" rather than leaving the code page.
QString upperKeepingByteCount(const QString& line) {
    QString out;
    out.reserve(line.size());
    for (char32_t character : line.toUcs4()) {
        const char32_t upper = QChar::toUpper(character);
        out += QString::fromUcs4(
            hashedLength(upper) == hashedLength(character) ? &upper : &character, 1);
    }
    return out;
}

} // namespace

void XQSecurity32::fillTable() {
    for (std::uint32_t n = 0; n < table_.size(); ++n) {
        std::uint32_t value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1u) ? (value >> 1) ^ ReflectedPolynomial : value >> 1;
        table_[n] = value;
    }
}

std::uint32_t XQSecurity32::crc32(QByteArrayView bytes) {
    fillTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes)
        crc = (crc >> 8) ^ table_[(crc ^ static_cast<unsigned char>(c)) & 0xFFu];
    return crc ^ 0xFFFFFFFFu;
}

QString XQSecurity32::checksumText(QByteArrayView fileBytes) {
    QString text;
    const IniBody body = decodeIniFile(fileBytes.toByteArray());
    forEachLine(body.bytes, [&text](QByteArrayView raw) {
        const QString line = withoutSurroundingBlanks(upperKeepingByteCount(decodeIniBytes(raw)));
        if (line.isEmpty() || line.contains(QLatin1String("XQCHECKSUM")))
            return;
        text += line;
    });
    return text;
}

QByteArray XQSecurity32::hashedBytes(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (char32_t character : text.toUcs4())
        appendHashed(out, character);
    return out;
}

QString XQSecurity32::checksum(QByteArrayView fileBytes) {
    return hexText(crc32(hashedBytes(checksumText(fileBytes))));
}

QString XQSecurity32::hexText(std::uint32_t crc) {
    return QString::number(crc, 16).toUpper();
}

} // namespace XQTestDev
