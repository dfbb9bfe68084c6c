#pragma once

#include "output/database/RowStore.h"

#include <XQTestDev/Enums.h>

#include <QSqlDatabase>
#include <QString>

namespace XQTestDev {

struct RunInputs;

// Where a write goes: an SQLite file, or a database on a PostgreSQL server.
struct DatabaseAddress {
    DBType type = msAccess;
    QString file; // msAccess
    QString serverName;
    QString userName;
    QString password;
    QString databaseName;
};
DatabaseAddress databaseAddressOf(DBType type, const RunInputs& in);

// The connections of the process, kept open between writes: opening an SQLite
// file makes SQLite read the 500-column table's schema again, and a server
// connection costs a password exchange. What a write stores is the same as
// through a connection of its own: every commit is durable on return, with
// the same journal and synchronous settings.
//
// An SQLite file deleted or replaced since (another device or inode) is opened
// afresh; so is a server connection that no longer answers (the server
// restarted). A process made by fork() never uses its parent's connections.
struct KeptStore {
    RowStore* store = nullptr; // null when it could not be opened
    StoreResult opened;
    bool reused = false; // open already before this write
};

// The store of `address` for a write of `row`, opened when needed. On SQLite
// the file holds the row's table afterwards (created when missing); a failure
// to open or create is shown to the operator as before.
KeptStore keptStoreForWrite(const DatabaseAddress& address, const DatabaseRow& row);

// Closes the store of `address`: after a failed write the next one starts
// with a connection of its own.
void dropKeptStore(const DatabaseAddress& address);

// The open connection of `address` for the library's other writers, opened
// when there is none or the one kept is no longer usable. An invalid
// connection, with `error` set, when it cannot be opened. Valid until the
// next write or drop of that address.
QSqlDatabase keptConnection(const DatabaseAddress& address, QString* error = nullptr);

// Closes every kept connection (at the application's end, in tests).
void closeKeptStores();

} // namespace XQTestDev
