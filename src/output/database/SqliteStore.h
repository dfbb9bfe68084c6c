#pragma once

#include "output/database/RowStore.h"

#include <QSet>

namespace XQTestDev {

// The station's own database: an SQLite file. A missing file is created with
// the product's table and its index; a missing table is added to an existing
// file. A file that is not an SQLite database is never touched.
class SqliteStore : public RowStore {
public:
    SqliteStore();

    // Opens `path` and makes sure it holds the table of `row` (created from
    // its columns when missing). A failure to create or inspect the file is
    // shown to the operator with its own text, as are a folder or a foreign
    // file at the path; an empty path fails without a message.
    StoreResult open(const QString& path, const DatabaseRow& row);

    // Opens `path` alone, with the same checks and messages.
    StoreResult openPath(const QString& path);

    // Whether `path` is still the file this store opened, with the same busy
    // timeout: a file deleted or replaced since (by a restore, a copy moved
    // over it) is a new file, and writing on through the old one would lose
    // the rows.
    bool isStillOpenOn(const QString& path) const;

    // Makes sure the file holds the table of `row`, as open does; looked up
    // once while the file's schema stays as it was (refreshSchemaStamp).
    // A failure is shown to the operator.
    StoreResult ensureTable(const DatabaseRow& row);

protected:
    bool isTransient(const QSqlError& error) const override;
    StoreResult schemaStamp(QString& stamp) override;

private:
    StoreResult openFile(const QString& path);
    StoreResult hasTable(const QString& table, bool& found);
    StoreResult createTable(const DatabaseRow& row);

    struct FileIdentity {
        QString path;
        quint64 device = 0;
        quint64 inode = 0;
        int busyMs = 0;
        bool operator==(const FileIdentity&) const = default;
    };
    static bool identityOf(const QString& path, FileIdentity& identity);

    FileIdentity identity_;
    QString tablesCheckedAt_;     // the stamp at which checkedTables_ were found
    QSet<QString> checkedTables_; // upper case
};

// True for a file that SQLite wrote (its 16-byte header) and for an empty one.
bool isSqliteFile(const QString& path);

// CREATE TABLE for a row's columns: ID, the header columns with their sizes
// and defaults, one REAL column per test line (default 999.999), FlagStatus.
QString createTableStatement(const DatabaseRow& row);
// CREATE INDEX of the run's search columns, named after the table because
// index names are unique in a whole SQLite file.
QString createIndexStatement(const QString& table);

} // namespace XQTestDev
