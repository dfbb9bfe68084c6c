#include "config/IniDocument.h"

#include "config/IniText.h"

namespace XQTestDev {

namespace {

// Windows' profile functions take every white-space character for a blank,
// the vertical tab and the form feed as well as the space and the tab.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

QByteArrayView trimmedBytes(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin);
}

bool isQuote(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool isEnclosedInQuotes(const QString& text) {
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// Blanks inside the quotes go as well: Windows reads "  x  " as x.
QString unquoted(const QString& text) {
    if (isEnclosedInQuotes(text))
        return text.mid(1, text.size() - 2).trimmed();
    return text;
}

QString valueFromRaw(QByteArrayView raw) {
    return unquoted(decodeIniBytes(raw).trimmed());
}

// What a value is stored as so that it reads back as given: no longer than a
// read can return, and a value that is itself in quotes inside one more pair,
// since reading takes one pair away.
QString storedForm(const QString& value) {
    QString text = value.left(IniDocument::MaxValueLength);
    if (text.size() == IniDocument::MaxValueLength && text.back().isHighSurrogate())
        text.chop(1);
    if (isEnclosedInQuotes(text.trimmed()))
        return QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

bool isUsableName(const QString& name, QChar forbidden) {
    return !name.trimmed().isEmpty() && !name.contains(QLatin1Char('\n')) &&
           !name.contains(QLatin1Char('\r')) && !name.contains(QChar(0)) &&
           !name.contains(forbidden);
}

// A key that would read back as a comment or a section header is refused.
bool isUsableKey(const QString& key) {
    const QString name = key.trimmed();
    return isUsableName(name, QLatin1Char('=')) && !name.startsWith(QLatin1Char(';')) &&
           !name.startsWith(QLatin1Char('['));
}

// A value must stay on its own line whatever the caller hands in, and must
// not make the file look binary.
QString singleLine(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value.replace(QChar(0), QLatin1Char(' '));
    return value;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& file) {
    IniDocument doc;
    IniBody body = decodeIniFile(file);
    doc.encoding_ = body.encoding;
    if (body.encoding == IniEncoding::Utf16LE || body.encoding == IniEncoding::Utf16BE)
        doc.untouchedFile_ = file;
    const QByteArray& bytes = body.bytes;
    doc.isText_ = !bytes.contains('\0');
    qsizetype start = 0;
    bool newlineKnown = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        const bool crlf = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        Line line{bytes.sliced(start, i - start), crlf ? QByteArray("\r\n") : QByteArray(1, c)};
        if (!newlineKnown) {
            doc.newline_ = line.end;
            newlineKnown = true;
        }
        doc.lines_.push_back(std::move(line));
        i += crlf ? 1 : 0;
        start = i + 1;
    }
    if (start < bytes.size())
        doc.lines_.push_back(Line{bytes.sliced(start), QByteArray()});
    if (!doc.isText_)
        return doc;
    int current = -1;
    for (int i = 0; i < doc.lineCount(); ++i)
        doc.indexLine(i, current);
    return doc;
}

void IniDocument::indexLine(int lineIndex, int& current) {
    const QByteArray& text = lines_[lineIndex].text;
    const QByteArrayView content = trimmedBytes(text);
    if (content.isEmpty())
        return;
    if (content.front() == '[') {
        // "[Database" typed without its "]" still names the section.
        qsizetype close = content.indexOf(']');
        if (close < 0)
            close = content.size();
        const QString name = decodeIniBytes(content.sliced(1, close - 1)).trimmed();
        sections_.push_back(Section{lineIndex, lineIndex, {}, {}});
        current = static_cast<int>(sections_.size()) - 1;
        const QString folded = fold(name);
        if (!sectionByName_.contains(folded)) // of duplicates the first counts
            sectionByName_.insert(folded, current);
        return;
    }
    if (current < 0)
        return;
    Section& section = sections_[current];
    section.lastContentLine = lineIndex;
    if (content.front() == ';')
        return;
    const qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return;
    const QString key = decodeIniBytes(QByteArrayView(text).first(eq)).trimmed();
    if (key.isEmpty())
        return;
    const QString folded = fold(key);
    if (section.keys.contains(folded))
        return;
    qsizetype valueOffset = eq + 1;
    while (valueOffset < text.size() && isBlank(text[valueOffset]))
        ++valueOffset;
    section.keys.insert(folded, KeyEntry{lineIndex, static_cast<int>(valueOffset),
                                         valueFromRaw(QByteArrayView(text).sliced(eq + 1))});
    section.keyOrder.append(key);
}

QByteArray IniDocument::serialize() const {
    if (!untouchedFile_.isNull())
        return untouchedFile_;
    qsizetype total = 0;
    for (const Line& line : lines_)
        total += line.text.size() + line.end.size();
    QByteArray out;
    out.reserve(total);
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return encodeIniFile(encoding_, out);
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const auto found = sectionByName_.constFind(fold(section));
    if (found == sectionByName_.constEnd())
        return std::nullopt;
    const Section& s = sections_[*found];
    const auto entry = s.keys.constFind(fold(key));
    if (entry == s.keys.constEnd())
        return std::nullopt;
    return entry->value;
}

QStringList IniDocument::keys(const QString& section) const {
    const auto found = sectionByName_.constFind(fold(section));
    return found == sectionByName_.constEnd() ? QStringList() : sections_[*found].keyOrder;
}

bool IniDocument::hasSection(const QString& section) const {
    return sectionByName_.contains(fold(section));
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    if (!isText_ || !isUsableName(section, QLatin1Char(']')) || !isUsableKey(key))
        return false;
    untouchedFile_.clear();
    const QString text = storedForm(singleLine(value));
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (!hasSection(sectionName))
        appendSection(sectionName);
    Section& s = sections_[sectionByName_.value(fold(sectionName))];
    const QString folded = fold(keyName);
    const QByteArray encoded = encodeIniText(text, encoding_);
    const auto existing = s.keys.find(folded);
    if (existing != s.keys.end()) {
        Line& line = lines_[existing->line];
        line.text = line.text.left(existing->valueOffset) + encoded;
        existing->value = valueFromRaw(encoded);
        return true;
    }
    const int at = s.lastContentLine + 1;
    const QByteArray keyBytes = encodeIniText(keyName, encoding_);
    insertLine(at, keyBytes + '=' + encoded);
    Section& target = sections_[sectionByName_.value(fold(sectionName))];
    target.lastContentLine = at;
    target.keys.insert(folded,
                       KeyEntry{at, static_cast<int>(keyBytes.size()) + 1, valueFromRaw(encoded)});
    target.keyOrder.append(keyName);
    return true;
}

void IniDocument::insertLine(int at, const QByteArray& text) {
    if (at > 0 && lines_[at - 1].end.isEmpty())
        lines_[at - 1].end = newline_;
    const bool atEnd = at == lineCount();
    lines_.insert(lines_.begin() + at, Line{text, newline_});
    if (!atEnd)
        shiftLinesFrom(at);
}

void IniDocument::shiftLinesFrom(int lineIndex) {
    for (Section& section : sections_) {
        if (section.headerLine >= lineIndex)
            ++section.headerLine;
        if (section.lastContentLine >= lineIndex)
            ++section.lastContentLine;
        for (KeyEntry& entry : section.keys) {
            if (entry.line >= lineIndex)
                ++entry.line;
        }
    }
}

void IniDocument::appendSection(const QString& section) {
    if (!lines_.empty()) {
        if (lines_.back().end.isEmpty())
            lines_.back().end = newline_;
        if (!trimmedBytes(lines_.back().text).isEmpty())
            lines_.push_back(Line{QByteArray(), newline_});
    }
    const int header = lineCount();
    lines_.push_back(Line{'[' + encodeIniText(section, encoding_) + ']', newline_});
    sections_.push_back(Section{header, header, {}, {}});
    sectionByName_.insert(fold(section), static_cast<int>(sections_.size()) - 1);
}

} // namespace XQTestDev
