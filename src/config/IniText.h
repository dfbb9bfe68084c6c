#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace XQTestDev {

// INI files are UTF-8; a line that is not valid UTF-8 was written on another
// station in Windows-1252 and is read as such.
QString decodeIniBytes(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);

// How a whole file is stored, so that a write gives it back in the same form
// a Windows editor saved it in.
enum class IniEncoding {
    Utf8,        // also plain ASCII and new files
    Utf8Bom,     // Notepad's "UTF-8"
    Windows1252, // holds at least one line that is not UTF-8
    Utf16LE,     // Notepad's "Unicode", with its mark
    Utf16BE,     // "Unicode big endian", with its mark
};

// A file's text as 8-bit lines: the mark removed, UTF-16 turned into UTF-8,
// 8-bit files as they are.
struct IniBody {
    IniEncoding encoding = IniEncoding::Utf8;
    QByteArray bytes;
};

IniBody decodeIniFile(const QByteArray& file);
QByteArray encodeIniFile(IniEncoding encoding, const QByteArray& body);

// Bytes for new text in a file of the given encoding: Windows-1252 in a
// Windows-1252 file when every character has a place in it, else UTF-8.
QByteArray encodeIniText(const QString& text, IniEncoding encoding);

// Windows-1252 bytes; false (and nothing written) when a character has no
// place in the code page.
bool toWindows1252(const QString& text, QByteArray& out);
// The byte of one character in Windows-1252, or -1.
int windows1252Byte(char32_t character);

bool isValidUtf8(QByteArrayView bytes);

} // namespace XQTestDev
