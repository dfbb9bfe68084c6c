#pragma once

#include "output/database/RowStore.h"

#include <QHash>
#include <QSet>

namespace XQTestDev {

// Where a server is: ServerName of ATE.INI is "host" or "host:port".
struct ServerAddress {
    QString host;
    int port = 5432;
};
ServerAddress parseServerName(const QString& serverName);

// The factory's database on a PostgreSQL server. Its tables are made by the
// factory (the library never creates them); table and column names are found
// in the server's catalogue without regard to case, as the station's
// PRODUCTS.INI names them in any case.
class PostgresStore : public RowStore {
public:
    PostgresStore();

    // Connects; gives up after the connect timeout so a dead server never
    // freezes the station.
    StoreResult open(const QString& serverName, const QString& user, const QString& password,
                     const QString& database);

protected:
    bool isTransient(const QSqlError& error) const override;
    StoreResult resolveNames(const DatabaseRow& row, Names& names) override;

private:
    struct TableColumns {
        QString table;
        QSet<QString> columns;
        QHash<QString, QString> columnByUpperName;
    };
    StoreResult lookUpTable(const QString& table, TableColumns& found);

    QHash<QString, TableColumns> tables_; // by the row's table name
};

} // namespace XQTestDev
