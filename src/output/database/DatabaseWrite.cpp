#include "output/database/DatabaseWrite.h"

#include "frame/MessageBox.h"
#include "output/database/BackupFolder.h"
#include "output/database/BackupReplay.h"
#include "output/database/DatabaseMessages.h"
#include "output/database/DatabaseRunRow.h"
#include "output/database/LastAccessDatabase.h"
#include "output/database/Plausibility.h"
#include "output/database/PostgresStore.h"
#include "output/database/RunInputs.h"
#include "output/database/RunSources.h"
#include "output/database/SqliteStore.h"
#include "output/database/StatementText.h"

#include <QDateTime>

#include <memory>

namespace XQTestDev {

namespace {

struct OpenedStore {
    std::unique_ptr<RowStore> store;
    StoreResult opened;
};

OpenedStore openStore(DBType type, const RunInputs& in, const DatabaseRow& row) {
    if (type == msAccess) {
        auto sqlite = std::make_unique<SqliteStore>();
        StoreResult opened = sqlite->open(in.databaseName, row);
        return {std::move(sqlite), opened};
    }
    auto server = std::make_unique<PostgresStore>();
    StoreResult opened = server->open(in.serverName, in.userName, in.password, in.databaseName);
    return {std::move(server), opened};
}

// Nothing is lost: the row waits as a backup statement for the next write.
void takeFailurePath(RowStore* store, const QString& product, const DatabaseRow& row) {
    if (store)
        store->close();
    writeLastAccessDatabase(product, DatabaseAccess::Fail);
    saveBackupStatement(statementText(row), product);
}

void store(DBType type, const RunInputs& in, const DatabaseRow& row) {
    OpenedStore opened = openStore(type, in, row);
    if (!opened.opened || !opened.store->insert(row)) {
        takeFailurePath(opened.store.get(), in.product, row);
        return;
    }
    writeLastAccessDatabase(in.product, DatabaseAccess::Pass);
    if (!replayBackups(*opened.store, in.product, in.tableName))
        writeLastAccessDatabase(in.product, DatabaseAccess::Fail);
    opened.store->close();
}

} // namespace

void writeDatabase(const QString& productName, const QString& softwareVersion, DBType type,
                   const QString& databaseName) {
    if (type != msAccess && type != msSQLServer) {
        showExclamation(DatabaseMessages::invalidDatabaseType());
        return;
    }
    const QString product = productName.isEmpty() ? currentRunProduct() : productName;
    const QString version =
        softwareVersion.isEmpty() ? currentRunSoftwareVersion() : softwareVersion;
    if (product.isEmpty()) {
        showExclamation(DatabaseMessages::missingProductName());
        return;
    }
    RunInputs in = readRunInputs(product, version, databaseName);
    checkPlausibility(in, type, QDateTime::currentDateTime());
    const DatabaseRunRow run = buildRunRow(in);
    if (!run.complete) {
        takeFailurePath(nullptr, product, run.row);
        return;
    }
    if (in.tableName.isEmpty()) {
        showCritical(DatabaseMessages::missingTableName());
        saveBackupStatement(statementText(run.row), product);
        return;
    }
    store(type, in, run.row);
}

} // namespace XQTestDev
