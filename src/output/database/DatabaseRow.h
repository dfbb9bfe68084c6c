#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace XQTestDev {

// One run as one row of the product's table: the column names and the text of
// every value as the readable statement carries it. The same value is stored
// whether the row is new or read back from a backup statement, because the
// column decides how a text is stored, not the way the row was made.
struct DatabaseRow {
    QString table; // empty while the product has no table name
    QStringList columns;
    QStringList values;

    bool operator==(const DatabaseRow&) const = default;
};

// How a column stores its text: header texts as they are, the two run times
// as dates, every other column (a test line) as a number.
enum class ColumnKind { Text, Time, Test };

// The twenty header columns in the order the row begins with them.
const QStringList& headerColumns();

// Header columns are recognised by their name compared in upper case.
ColumnKind columnKind(const QString& column);

// The value bound for a column: a text; a time as ISO-8601 "yyyy-MM-dd
// HH:mm:ss" (NULL when the text is no date); a number (NULL when empty, the
// text itself when it is no number).
QVariant boundValue(const QString& column, const QString& text);

// "yyyy-MM-dd HH:mm:ss" of a results-file time, empty when it is no date.
QString isoTime(const QString& resultsTime);

} // namespace XQTestDev
