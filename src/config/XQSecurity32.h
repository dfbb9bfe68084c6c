#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>

namespace XQTestDev {

// The checksum routines of the configuration integrity check: a CRC-32
// (ISO-HDLC, as zlib and PKZIP compute it) over the meaningful text of an
// INI file, so that a station notices when its configuration was edited.
class XQSecurity32 {
public:
    // CRC-32 of the bytes: reflected polynomial 0xEDB88320, initial value and
    // final XOR 0xFFFFFFFF.
    std::uint32_t crc32(QByteArrayView bytes);

    // The text the checksum covers: every line upper-cased and stripped of
    // blanks at both ends; empty lines and lines holding "XQCheckSum" (any
    // case) are left out; the rest is joined without separators.
    //
    // Each line is decoded the way the INI reader decodes it (a UTF-8 or
    // UTF-16 mark read past; UTF-8, or Windows-1252 for a line that is not
    // valid UTF-8), so a file keeps its checksum whichever encoding it was
    // saved in. Upper-casing never changes how many bytes a character is
    // hashed as.
    static QString checksumText(QByteArrayView fileBytes);

    // One byte per character, as a Windows station hashes its single-byte code
    // page: the Windows-1252 byte, or the UTF-8 bytes of a character that has
    // no place in it.
    static QByteArray hashedBytes(const QString& text);

    // The checksum of a file's contents as upper-case hexadecimal without
    // leading zeros ("0" for an empty text).
    QString checksum(QByteArrayView fileBytes);

    // The CRC as the checksum is written: "CBF43926", "0".
    static QString hexText(std::uint32_t crc);

private:
    void fillTable();

    std::array<std::uint32_t, 256> table_{};
};

} // namespace XQTestDev
