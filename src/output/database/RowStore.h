#pragma once

#include "output/database/DatabaseRow.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace XQTestDev {

struct StoreResult {
    bool ok = true;
    QString error;          // the database's own text, when !ok
    bool transient = false; // the database, not the row, is at fault (busy, gone)

    explicit operator bool() const { return ok; }
    static StoreResult failure(QString text) { return {false, std::move(text)}; }
};

// How long a write waits for a busy SQLite file and for a server to answer.
// A dead server must not freeze the station; tests shorten both.
struct DatabaseTimeouts {
    int sqliteBusyMs = 3000;
    int serverConnectSeconds = 3;
};
DatabaseTimeouts& databaseTimeouts();

// One connection, for one write or kept for the writes of the process: every
// row, new or replayed, is stored as a prepared INSERT with bound values, so
// no value is ever read as SQL. Its statements are prepared once while it
// stays open.
class RowStore {
public:
    virtual ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    StoreResult insert(const DatabaseRow& row);

    // For a replayed row: stores it unless a row with the same unit, station,
    // start time and verdict is stored already (a crash between storing it and
    // deleting its file, or an answer lost on the way back, must not store a
    // run twice).
    StoreResult insertOnce(const DatabaseRow& row);

    bool isOpen() const;
    void close();

    // The open connection, for the run tables stored in the row's transaction.
    QSqlDatabase connection() const { return database(); }

    // Reads what tells whether another connection changed the tables since
    // this one last looked (see schemaStamp). Fails only when the connection
    // itself is broken.
    StoreResult refreshSchemaStamp();

    // Whether the run tables may be written (made or moved forward first
    // where they must be). Checked again only when the stamp read last by
    // refreshSchemaStamp changed or could not be read; a failure is checked
    // again at every write, as before.
    bool runTablesReady(QString* error);

    // Replayed rows are stored many to one commit; each row inside its own
    // savepoint, so one refused row leaves the others of the batch in place.
    StoreResult beginBatch();
    StoreResult commitBatch();
    void rollbackBatch();
    StoreResult savepoint();
    StoreResult releaseSavepoint();
    StoreResult rollbackToSavepoint();

protected:
    explicit RowStore(const QString& driver);
    QSqlDatabase database() const;

    // The quoted names a statement uses for the row's table and columns.
    struct Names {
        QString table;
        QStringList columns;
    };
    virtual StoreResult resolveNames(const DatabaseRow& row, Names& names);

    static QString quotedIdentifier(QString name);

    // What changes whenever the tables change: the run tables' version row,
    // and on SQLite the file's schema counter too. Empty when it cannot be
    // read (the run tables missing): then nothing is taken as checked.
    virtual StoreResult schemaStamp(QString& stamp);
    const QString& currentSchemaStamp() const { return stamp_; }

    // A failed statement: whether the database rather than the row is at fault.
    StoreResult failureOf(const QSqlError& error) const;
    virtual bool isTransient(const QSqlError& error) const = 0;

private:
    StoreResult execute(const QString& statement);
    StoreResult alreadyStored(const DatabaseRow& row, const Names& names, bool& stored);

    QString connectionName_;
    QString stamp_;
    QString runTablesCheckedAt_; // the stamp at which the run tables were found ready
};

} // namespace XQTestDev
