#include "output/database/StatementText.h"

namespace XQTestDev {

namespace {

QString bracketed(QString name) {
    return QLatin1Char('[') + name.replace(QLatin1Char(']'), QLatin1String("]]")) +
           QLatin1Char(']');
}

QString quoted(QString value) {
    return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

} // namespace

QString tableNamePlaceholder() {
    return QString(50, QLatin1Char('X'));
}

QString statementText(const DatabaseRow& row) {
    QStringList columns;
    for (const QString& column : row.columns)
        columns << bracketed(column);
    QStringList values;
    for (const QString& value : row.values)
        values << quoted(value);
    const QString table = row.table.isEmpty() ? tableNamePlaceholder() : bracketed(row.table);
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") +
           columns.join(QLatin1Char(',')) + QStringLiteral(") VALUES (") +
           values.join(QLatin1Char(',')) + QLatin1Char(')');
}

} // namespace XQTestDev
