#include "output/database/StatementParser.h"

#include "output/database/StatementText.h"

#include <optional>

namespace XQTestDev {

namespace {

// Walks the statement text from left to right.
class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}

    void skipBlanks() {
        while (at_ < text_.size() && text_[at_].isSpace())
            ++at_;
    }
    bool atEnd() const { return at_ >= text_.size(); }
    bool peek(QChar c) const { return !atEnd() && text_[at_] == c; }

    bool word(QLatin1StringView expected) {
        skipBlanks();
        if (!text_.sliced(at_).startsWith(expected, Qt::CaseInsensitive))
            return false;
        at_ += expected.size();
        return true;
    }
    bool symbol(QChar c) {
        skipBlanks();
        if (!peek(c))
            return false;
        ++at_;
        return true;
    }

    // Text between `open` and `close`, a doubled `close` standing for one.
    std::optional<QString> enclosed(QChar open, QChar close) {
        if (!symbol(open))
            return std::nullopt;
        QString out;
        while (!atEnd()) {
            const QChar c = text_[at_++];
            if (c != close) {
                out += c;
                continue;
            }
            if (!peek(close))
                return out;
            out += close;
            ++at_;
        }
        return std::nullopt;
    }

    // A bare table name: everything up to the opening parenthesis.
    QString bareName() {
        skipBlanks();
        const qsizetype begin = at_;
        while (!atEnd() && text_[at_] != QLatin1Char('('))
            ++at_;
        return text_.sliced(begin, at_ - begin).trimmed().toString();
    }

private:
    QStringView text_;
    qsizetype at_ = 0;
};

std::optional<QStringList> list(Reader& reader, QChar open, QChar close) {
    QStringList items;
    if (!reader.symbol(QLatin1Char('(')))
        return std::nullopt;
    do {
        std::optional<QString> item = reader.enclosed(open, close);
        if (!item)
            return std::nullopt;
        items << *item;
    } while (reader.symbol(QLatin1Char(',')));
    if (!reader.symbol(QLatin1Char(')')))
        return std::nullopt;
    return items;
}

ParsedStatement failure(const QString& why) {
    ParsedStatement parsed;
    parsed.error = QStringLiteral("The backup statement cannot be read: ") + why;
    return parsed;
}

} // namespace

ParsedStatement parseStatement(const QString& text) {
    Reader reader(text);
    ParsedStatement parsed;
    if (!reader.word(QLatin1StringView("INSERT")) || !reader.word(QLatin1StringView("INTO")))
        return failure(QStringLiteral("it does not begin with INSERT INTO"));
    reader.skipBlanks();
    if (reader.peek(QLatin1Char('['))) {
        const std::optional<QString> table = reader.enclosed(QLatin1Char('['), QLatin1Char(']'));
        if (!table)
            return failure(QStringLiteral("the table name is not closed"));
        parsed.row.table = *table;
    } else {
        const QString name = reader.bareName();
        parsed.hasPlaceholder = name.compare(tableNamePlaceholder(), Qt::CaseInsensitive) == 0;
        if (!parsed.hasPlaceholder)
            parsed.row.table = name;
    }
    if (parsed.row.table.isEmpty() && !parsed.hasPlaceholder)
        return failure(QStringLiteral("it names no table"));
    const std::optional<QStringList> columns = list(reader, QLatin1Char('['), QLatin1Char(']'));
    if (!columns)
        return failure(QStringLiteral("the column list is not [name],[name],..."));
    if (!reader.word(QLatin1StringView("VALUES")))
        return failure(QStringLiteral("VALUES is missing"));
    const std::optional<QStringList> values = list(reader, QLatin1Char('\''), QLatin1Char('\''));
    if (!values)
        return failure(QStringLiteral("the value list is not 'value','value',..."));
    reader.skipBlanks();
    if (!reader.atEnd())
        return failure(QStringLiteral("text follows the value list"));
    if (values->size() != columns->size())
        return failure(
            QStringLiteral("%1 columns but %2 values").arg(columns->size()).arg(values->size()));
    parsed.row.columns = *columns;
    parsed.row.values = *values;
    return parsed;
}

} // namespace XQTestDev
