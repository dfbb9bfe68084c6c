// Feeds arbitrary bytes to the INI parser and checks the properties every
// caller relies on: parsing never fails, an untouched document serializes to
// the same bytes, and a written value reads back while the rest survives: a
// value in quotes, in any of the file's encodings, reads back as given.

#include "config/IniDocument.h"

#include <cstdint>
#include <cstdlib>

using XQTestDev::IniDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniDocument document = IniDocument::parse(bytes);
    if (document.serialize() != bytes)
        std::abort();

    // Use the input's own first bytes as names so that the writes hit existing
    // sections and keys as often as new ones.
    const QString section = QString::fromLatin1(bytes.left(6)).remove(QLatin1Char('['));
    const QString key = QString::fromLatin1(bytes.mid(6, 4));
    // A value that reaches the file as it is: no line break, no NUL, no
    // longer than a read returns. Reading trims it.
    QString given = QString::fromLatin1(bytes.mid(10, 24));
    given.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(0));
    for (const QString& value :
         {QStringLiteral("value-1"), given, QLatin1Char('"') + given + QLatin1Char('"')}) {
        if (!document.setValue(section, key, value))
            continue;
        const QString expected = value.trimmed();
        if (document.value(section, key) != expected)
            std::abort();
        const IniDocument reread = IniDocument::parse(document.serialize());
        if (reread.value(section, key) != expected)
            std::abort();
    }
    return 0;
}
