// Feeds arbitrary bytes to the INI parser and checks the properties every
// caller relies on: parsing never fails, an untouched document serializes to
// the same bytes, and a written value reads back while the rest survives.

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
    const QString value = QStringLiteral("value-1");
    if (document.setValue(section, key, value)) {
        if (document.value(section, key) != value)
            std::abort();
        const IniDocument reread = IniDocument::parse(document.serialize());
        if (reread.value(section, key) != value)
            std::abort();
    }
    return 0;
}
