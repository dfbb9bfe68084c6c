#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include "config/IniText.h"

#include <optional>
#include <vector>

namespace XQTestDev {

// One INI file held as its original lines plus an index of sections and keys.
// Parsing never fails: a line that is neither a section header nor a key is
// kept as it is and otherwise ignored. Serializing gives back the original
// bytes of every line that was not written to.
//
// Names compare without regard to case; a value is the text after the first
// "=", trimmed, with one pair of enclosing quotes removed and trimmed again.
// Of duplicate sections or keys the first one counts. Lines starting with ";"
// are comments. Blanks are every white-space character (the vertical tab and
// the form feed too), as Windows reads them. CR, LF and CR LF each end a
// line. A section name runs to the first "]" or the end of its line.
//
// Files saved by Windows editors keep their form: a UTF-8 or UTF-16 mark is
// read past and written back, and a Windows-1252 file gets Windows-1252 text.
// A file holding NUL characters is no text: it reads as empty and refuses
// every write.
class IniDocument {
public:
    // ReadINI returns at most this many characters of a value, so storing
    // more only makes every later write of the file slower.
    static constexpr int MaxValueLength = 1022;

    struct Edit {
        QString section;
        QString key;
        QString value;
    };

    static IniDocument parse(const QByteArray& bytes);
    QByteArray serialize() const;

    // The key's value, or nothing when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;
    bool hasSection(const QString& section) const;

    // Replaces the key's line in its section, or adds it at the section's end,
    // adding the section at the end of the file. Empty names are refused.
    bool setValue(const QString& section, const QString& key, const QString& value);

    int lineCount() const { return static_cast<int>(lines_.size()); }
    bool isText() const { return isText_; }
    IniEncoding encoding() const { return encoding_; }

private:
    struct Line {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n", "\r" or empty for an unterminated last line
    };
    struct KeyEntry {
        int line = 0;
        int valueOffset = 0; // bytes of the line up to where the value begins
        QString value;
    };
    struct Section {
        int headerLine = 0;
        int lastContentLine = 0;       // last non-blank line that belongs to it
        QHash<QString, KeyEntry> keys; // by folded name; first occurrence
        QStringList keyOrder;          // original spelling, file order
    };

    static QString fold(const QString& name) { return name.trimmed().toCaseFolded(); }
    void indexLine(int lineIndex, int& current);
    void shiftLinesFrom(int lineIndex);
    void insertLine(int at, const QByteArray& text);
    void appendSection(const QString& section);

    std::vector<Line> lines_;
    std::vector<Section> sections_;
    QHash<QString, int> sectionByName_; // folded name -> first section
    QByteArray newline_ = "\r\n";
    IniEncoding encoding_ = IniEncoding::Utf8;
    bool isText_ = true;
    // A UTF-16 file as read, given back unchanged until the first write: the
    // trip through UTF-8 is exact only for well-formed UTF-16.
    QByteArray untouchedFile_;
};

} // namespace XQTestDev
