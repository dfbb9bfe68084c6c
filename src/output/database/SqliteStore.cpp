#include "output/database/SqliteStore.h"

#include "frame/MessageBox.h"
#include "output/database/KeptStatements.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <sys/stat.h>

namespace XQTestDev {

namespace {

// The declared type and default of each header column, by upper-case name.
struct HeaderColumnType {
    const char* name;
    const char* type;
};
constexpr HeaderColumnType HeaderTypes[] = {
    {"MODEL", "VARCHAR(30) DEFAULT ''"},
    {"REVISION", "VARCHAR(30) DEFAULT ''"},
    {"TESTID", "VARCHAR(30) DEFAULT ''"},
    {"SERIALNUMBER", "VARCHAR(30) DEFAULT ''"},
    {"WORKORDERNUMBER", "VARCHAR(30) DEFAULT ''"},
    {"ATEID", "VARCHAR(20) DEFAULT ''"},
    {"TESTSTARTTIME", "DATETIME DEFAULT '1900-01-01 00:00:00'"},
    {"TESTFINISHTIME", "DATETIME DEFAULT '1900-01-01 00:00:00'"},
    {"OPERATOR", "VARCHAR(20) DEFAULT ''"},
    {"TESTSOFTWAREREV", "VARCHAR(20) DEFAULT ''"},
    {"LOCALPN", "VARCHAR(30) DEFAULT ''"},
    {"LOCALASSYPN", "VARCHAR(30) DEFAULT ''"},
    {"CUSTOMERPN", "VARCHAR(30) DEFAULT ''"},
    {"PASSFAIL", "VARCHAR(10) DEFAULT ''"},
    {"ATE_INI_VERSION", "VARCHAR(20) DEFAULT ''"},
    {"PRODUCT_INI_VERSION", "VARCHAR(20) DEFAULT ''"},
    {"REMARK1", "VARCHAR(40) DEFAULT ''"},
    {"REMARK2", "VARCHAR(40) DEFAULT ''"},
    {"REMARK3", "VARCHAR(40) DEFAULT ''"},
    {"REMARK4", "VARCHAR(40) DEFAULT ''"},
};

QString columnType(const QString& column) {
    const QString upper = column.toUpper();
    for (const HeaderColumnType& header : HeaderTypes) {
        if (upper == QLatin1String(header.name))
            return QLatin1String(header.type);
    }
    return QStringLiteral("REAL DEFAULT 999.999");
}

QString quoted(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

StoreResult shown(const StoreResult& result) {
    if (!result)
        showCritical(result.error);
    return result;
}

StoreResult run(QSqlQuery& query, const QString& statement) {
    if (!query.exec(statement))
        return StoreResult::failure(query.lastError().text());
    return {};
}

} // namespace

bool isSqliteFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return true;
    return file.read(16) == QByteArray("SQLite format 3", 16);
}

QString createTableStatement(const DatabaseRow& row) {
    QStringList columns = {QStringLiteral("\"ID\" INTEGER CONSTRAINT \"IDX1\" PRIMARY KEY "
                                          "AUTOINCREMENT")};
    for (const QString& column : row.columns)
        columns << quoted(column) + QLatin1Char(' ') + columnType(column);
    columns << QStringLiteral("\"FlagStatus\" VARCHAR(1) DEFAULT 'A'");
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(row.table), columns.join(u", "));
}

QString createIndexStatement(const QString& table) {
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (\"Model\", \"TestID\", "
                          "\"SerialNumber\", \"WorkOrderNumber\", \"ATEID\", \"TestStartTime\", "
                          "\"PassFail\", \"FlagStatus\")")
        .arg(quoted(table + QStringLiteral("_IDX2")), quoted(table));
}

SqliteStore::SqliteStore() : RowStore(QStringLiteral("QSQLITE")) {}

// Busy or locked by another program, an I/O error, a full disk, a file that
// cannot be opened or written: none of them is the row's fault.
bool SqliteStore::isTransient(const QSqlError& error) const {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == 5 || code == 6 || code == 8 || code == 10 || code == 13 || code == 14);
}

StoreResult SqliteStore::open(const QString& path, const DatabaseRow& row) {
    if (StoreResult opened = openPath(path); !opened)
        return opened;
    return ensureTable(row);
}

StoreResult SqliteStore::openPath(const QString& path) {
    if (path.isEmpty())
        return StoreResult::failure(QStringLiteral("No database file is named"));
    const QFileInfo info(path);
    if (info.isDir())
        return shown(StoreResult::failure(QStringLiteral("%1 is a folder, not a database file")
                                              .arg(QDir::toNativeSeparators(path))));
    if (info.exists() && !isSqliteFile(path))
        return shown(StoreResult::failure(
            QStringLiteral("%1 is not an SQLite database file and is left as it is")
                .arg(QDir::toNativeSeparators(path))));
    if (StoreResult opened = openFile(path); !opened)
        return shown(opened);
    // Opening makes a missing file, so it is known only now.
    if (!identityOf(path, identity_))
        identity_ = {};
    return {};
}

bool SqliteStore::identityOf(const QString& path, FileIdentity& identity) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    identity = {path, static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino),
                databaseTimeouts().sqliteBusyMs};
    return true;
}

bool SqliteStore::isStillOpenOn(const QString& path) const {
    FileIdentity now;
    // Written over in place with something else, it is said so as on opening.
    return isOpen() && !identity_.path.isEmpty() && identityOf(path, now) && now == identity_ &&
           isSqliteFile(path);
}

// The file's schema counter moves with every change of any table or index,
// by whichever connection or program.
StoreResult SqliteStore::schemaStamp(QString& stamp) {
    stamp.clear();
    QString runTables;
    RowStore::schemaStamp(runTables);
    PreparedStatement counter(database(), QStringLiteral("PRAGMA schema_version"));
    QSqlQuery& query = counter.query();
    if (!counter.isPrepared() || !query.exec() || !query.next())
        return StoreResult::failure(query.lastError().text());
    stamp = query.value(0).toString() + QLatin1Char('/') + runTables;
    return {};
}

StoreResult SqliteStore::ensureTable(const DatabaseRow& row) {
    const QString& stamp = currentSchemaStamp();
    if (stamp.isEmpty() || stamp != tablesCheckedAt_) {
        checkedTables_.clear();
        tablesCheckedAt_ = stamp;
    }
    const QString key = row.table.toUpper();
    if (checkedTables_.contains(key))
        return {};
    bool found = false;
    if (StoreResult looked = hasTable(row.table, found); !looked)
        return shown(looked);
    if (!found) {
        if (StoreResult created = createTable(row); !created)
            return shown(created);
        // The schema moved on: the other tables are looked up again.
        refreshSchemaStamp();
        tablesCheckedAt_ = currentSchemaStamp();
        checkedTables_.clear();
    }
    if (!tablesCheckedAt_.isEmpty())
        checkedTables_.insert(key);
    return {};
}

StoreResult SqliteStore::openFile(const QString& path) {
    QSqlDatabase db = database();
    db.setDatabaseName(path);
    db.setConnectOptions(
        QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(databaseTimeouts().sqliteBusyMs));
    if (!db.open())
        return StoreResult::failure(db.lastError().text());
    return {};
}

// SQLite compares table names without regard to case, so a table spelt
// otherwise is the same table.
StoreResult SqliteStore::hasTable(const QString& table, bool& found) {
    QSqlQuery query(database());
    if (StoreResult done =
            run(query, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        !done)
        return done;
    found = false;
    while (query.next())
        found =
            found || query.value(0).toString().trimmed().compare(table, Qt::CaseInsensitive) == 0;
    return {};
}

// Table and index in one transaction, so a crash never leaves one without
// the other.
StoreResult SqliteStore::createTable(const DatabaseRow& row) {
    QSqlDatabase db = database();
    if (!db.transaction())
        return StoreResult::failure(db.lastError().text());
    QSqlQuery query(db);
    StoreResult done = run(query, createTableStatement(row));
    if (done)
        done = run(query, createIndexStatement(row.table));
    query.finish();
    if (!done) {
        db.rollback();
        return done;
    }
    if (!db.commit())
        return StoreResult::failure(db.lastError().text());
    return {};
}

} // namespace XQTestDev
