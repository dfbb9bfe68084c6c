#include "output/database/RowStore.h"

#include "output/database/KeptStatements.h"
#include "output/database/RunTables.h"

#include <QSqlError>
#include <QSqlQuery>

namespace XQTestDev {

namespace {

QString nextConnectionName() {
    static quint64 count = 0;
    return QStringLiteral("XQSQL32-%1").arg(++count);
}

// The columns that tell one run from another: the unit, the station, the
// start time to the second and the verdict.
const QStringList& runKeyColumns() {
    static const QStringList names = {
        QStringLiteral("Model"),        QStringLiteral("TestID"),
        QStringLiteral("SerialNumber"), QStringLiteral("WorkOrderNumber"),
        QStringLiteral("ATEID"),        QStringLiteral("TestStartTime"),
        QStringLiteral("PassFail")};
    return names;
}

qsizetype indexOfColumn(const QStringList& columns, const QString& name) {
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

DatabaseTimeouts& databaseTimeouts() {
    static DatabaseTimeouts timeouts;
    return timeouts;
}

RowStore::RowStore(const QString& driver) : connectionName_(nextConnectionName()) {
    QSqlDatabase::addDatabase(driver, connectionName_);
    keepStatementsOf(connectionName_);
}

RowStore::~RowStore() {
    close();
    forgetStatementsOf(connectionName_);
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase RowStore::database() const {
    return QSqlDatabase::database(connectionName_, false);
}

bool RowStore::isOpen() const {
    return database().isOpen();
}

void RowStore::close() {
    // Nothing found on this connection holds for the next one.
    forgetStatementsOf(connectionName_);
    keepStatementsOf(connectionName_);
    stamp_.clear();
    runTablesCheckedAt_.clear();
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
}

StoreResult RowStore::schemaStamp(QString& stamp) {
    stamp.clear();
    PreparedStatement version(database(),
                              QStringLiteral("SELECT version, min_library_version FROM "
                                             "xq_schema_version ORDER BY version DESC LIMIT 1"));
    QSqlQuery& query = version.query();
    if (!version.isPrepared() || !query.exec())
        return failureOf(query.lastError());
    if (query.next())
        stamp = query.value(0).toString() + QLatin1Char('|') + query.value(1).toString();
    return {};
}

StoreResult RowStore::refreshSchemaStamp() {
    if (schemaStamp(stamp_))
        return {};
    // No stamp, as when the run tables are missing; or no connection any
    // more, as after the server restarted: only the second is a failure.
    QSqlQuery alive(database());
    if (!alive.exec(QStringLiteral("SELECT 1")))
        return failureOf(alive.lastError());
    return {};
}

bool RowStore::runTablesReady(QString* error) {
    if (!stamp_.isEmpty() && stamp_ == runTablesCheckedAt_)
        return true;
    QSqlDatabase db = database();
    runTablesCheckedAt_.clear();
    if (!ensureRunTables(db, error))
        return false;
    // The tables may have been made or moved forward just now.
    refreshSchemaStamp();
    runTablesCheckedAt_ = stamp_;
    return true;
}

StoreResult RowStore::execute(const QString& statement) {
    QSqlQuery query(database());
    if (!query.exec(statement))
        return failureOf(query.lastError());
    return {};
}

StoreResult RowStore::beginBatch() {
    QSqlDatabase db = database();
    if (!db.transaction())
        return failureOf(db.lastError());
    return {};
}

StoreResult RowStore::commitBatch() {
    QSqlDatabase db = database();
    if (!db.commit())
        return failureOf(db.lastError());
    return {};
}

void RowStore::rollbackBatch() {
    database().rollback();
}

StoreResult RowStore::savepoint() {
    return execute(QStringLiteral("SAVEPOINT replayed_row"));
}

StoreResult RowStore::releaseSavepoint() {
    return execute(QStringLiteral("RELEASE SAVEPOINT replayed_row"));
}

StoreResult RowStore::rollbackToSavepoint() {
    StoreResult done = execute(QStringLiteral("ROLLBACK TO SAVEPOINT replayed_row"));
    if (done)
        done = releaseSavepoint();
    return done;
}

QString RowStore::quotedIdentifier(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

StoreResult RowStore::failureOf(const QSqlError& error) const {
    StoreResult result = StoreResult::failure(error.text());
    result.transient = isTransient(error);
    return result;
}

StoreResult RowStore::resolveNames(const DatabaseRow& row, Names& names) {
    names.table = quotedIdentifier(row.table);
    names.columns.clear();
    for (const QString& column : row.columns)
        names.columns << quotedIdentifier(column);
    return {};
}

StoreResult RowStore::insert(const DatabaseRow& row) {
    if (row.values.size() != row.columns.size())
        return StoreResult::failure(QStringLiteral("The row has %1 columns but %2 values")
                                        .arg(row.columns.size())
                                        .arg(row.values.size()));
    QVariantList bound;
    for (qsizetype i = 0; i < row.columns.size(); ++i)
        bound << boundValue(row.columns[i], row.values[i]);
    Names names;
    if (StoreResult resolved = resolveNames(row, names); !resolved)
        return resolved;
    const QString placeholders = QStringList(bound.size(), QStringLiteral("?")).join(u',');
    PreparedStatement insert(database(),
                             QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(names.table, names.columns.join(u','), placeholders));
    QSqlQuery& query = insert.query();
    if (!insert.isPrepared())
        return failureOf(query.lastError());
    for (qsizetype i = 0; i < bound.size(); ++i)
        query.bindValue(int(i), bound[i]);
    if (!query.exec())
        return failureOf(query.lastError());
    return {};
}

StoreResult RowStore::alreadyStored(const DatabaseRow& row, const Names& names, bool& stored) {
    stored = false;
    QStringList conditions;
    QVariantList bound;
    for (const QString& key : runKeyColumns()) {
        const qsizetype at = indexOfColumn(row.columns, key);
        if (at < 0)
            return {};
        const QVariant value = boundValue(row.columns[at], row.values[at]);
        if (value.isNull())
            return {}; // a run without a start time cannot be recognised
        conditions << names.columns[at] + QStringLiteral(" = ?");
        bound << value;
    }
    PreparedStatement select(database(),
                             QStringLiteral("SELECT 1 FROM %1 WHERE %2")
                                 .arg(names.table, conditions.join(QStringLiteral(" AND "))));
    QSqlQuery& query = select.query();
    if (!select.isPrepared())
        return failureOf(query.lastError());
    for (qsizetype i = 0; i < bound.size(); ++i)
        query.bindValue(int(i), bound[i]);
    if (!query.exec())
        return failureOf(query.lastError());
    stored = query.next();
    return {};
}

StoreResult RowStore::insertOnce(const DatabaseRow& row) {
    Names names;
    if (row.values.size() == row.columns.size()) {
        if (StoreResult resolved = resolveNames(row, names); !resolved)
            return resolved;
        bool stored = false;
        if (StoreResult checked = alreadyStored(row, names, stored); !checked)
            return checked;
        if (stored)
            return {};
    }
    return insert(row);
}

} // namespace XQTestDev
