#include "output/database/PostgresStore.h"

#include <QSqlError>
#include <QSqlQuery>

namespace XQTestDev {

namespace {

// Every table (or view) on the session's search path whose name matches
// without regard to case, with its columns. The system catalogue answers in a
// fraction of the time of the information schema's views.
const char* const CatalogueQuery =
    "SELECT c.relname, a.attname FROM pg_catalog.pg_class c "
    "JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid "
    "WHERE c.relkind IN ('r', 'p', 'v', 'f') AND pg_catalog.pg_table_is_visible(c.oid) "
    "AND lower(c.relname) = lower(?) AND a.attnum > 0 AND NOT a.attisdropped "
    "ORDER BY c.relname, a.attnum";

} // namespace

ServerAddress parseServerName(const QString& serverName) {
    ServerAddress address;
    address.host = serverName.trimmed();
    const qsizetype colon = address.host.lastIndexOf(QLatin1Char(':'));
    // "::1" alone is an address, not a port.
    if (colon > 0 && address.host.count(QLatin1Char(':')) == 1) {
        bool ok = false;
        const int port = address.host.mid(colon + 1).toInt(&ok);
        if (ok && port > 0 && port < 65536) {
            address.port = port;
            address.host.truncate(colon);
        }
    }
    return address;
}

PostgresStore::PostgresStore() : RowStore(QStringLiteral("QPSQL")) {}

// Connection failures (class 08), a server short of resources (53), shutting
// down (57) or breaking a deadlock (40): the row would be stored by a later
// write.
bool PostgresStore::isTransient(const QSqlError& error) const {
    const QString state = error.nativeErrorCode();
    for (const char* transientClass : {"08", "53", "57", "40"}) {
        if (state.startsWith(QLatin1String(transientClass)))
            return true;
    }
    return error.type() == QSqlError::ConnectionError;
}

StoreResult PostgresStore::open(const QString& serverName, const QString& user,
                                const QString& password, const QString& databaseName) {
    const ServerAddress address = parseServerName(serverName);
    QSqlDatabase db = database();
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setUserName(user);
    db.setPassword(password);
    db.setDatabaseName(databaseName);
    db.setConnectOptions(
        QStringLiteral("connect_timeout=%1").arg(databaseTimeouts().serverConnectSeconds));
    if (!db.open())
        return StoreResult::failure(db.lastError().text());
    return {};
}

StoreResult PostgresStore::lookUpTable(const QString& table, TableColumns& found) {
    QSqlQuery query(database());
    if (!query.prepare(QLatin1String(CatalogueQuery)))
        return failureOf(query.lastError());
    query.addBindValue(table);
    if (!query.exec())
        return failureOf(query.lastError());
    QHash<QString, TableColumns> byName;
    while (query.next()) {
        TableColumns& columns = byName[query.value(0).toString()];
        columns.table = query.value(0).toString();
        const QString column = query.value(1).toString();
        columns.columns.insert(column);
        columns.columnByUpperName.insert(column.toUpper(), column);
    }
    if (byName.isEmpty())
        return StoreResult::failure(
            QStringLiteral("The table \"%1\" does not exist on the server").arg(table));
    // The table spelt exactly wins over one spelt otherwise.
    found = byName.contains(table) ? byName.value(table) : byName.begin().value();
    return {};
}

StoreResult PostgresStore::resolveNames(const DatabaseRow& row, Names& names) {
    auto known = tables_.find(row.table);
    if (known == tables_.end()) {
        TableColumns columns;
        if (StoreResult found = lookUpTable(row.table, columns); !found)
            return found;
        known = tables_.insert(row.table, columns);
    }
    names.table = quotedIdentifier(known->table);
    names.columns.clear();
    for (const QString& column : row.columns) {
        // A column spelt exactly is taken as it is; otherwise the server's spelling.
        const QString actual = known->columns.contains(column)
                                   ? column
                                   : known->columnByUpperName.value(column.toUpper());
        if (actual.isEmpty())
            return StoreResult::failure(
                QStringLiteral("The table \"%1\" has no column \"%2\"").arg(known->table, column));
        names.columns << quotedIdentifier(actual);
    }
    return {};
}

} // namespace XQTestDev
