#include "output/database/DatabaseWrite.h"

#include "config/ResultsFileCodec.h"
#include "frame/Clock.h"
#include "frame/MessageBox.h"
#include "frame/RunOutputs.h"
#include "output/RunRecordFile.h"
#include "output/database/BackupFolder.h"
#include "output/database/BackupReplay.h"
#include "output/database/DatabaseMessages.h"
#include "output/database/DatabaseRunRow.h"
#include "output/database/KeptConnections.h"
#include "output/database/LastAccessDatabase.h"
#include "output/database/Plausibility.h"
#include "output/database/RunInputs.h"
#include "output/database/RunRecordOfWrite.h"
#include "output/database/RunTables.h"
#include "output/database/StatementText.h"
#include "output/database/StationState.h"

#include <QDateTime>

#include <cstdio>

namespace XQTestDev {

namespace {

QByteArray runBytes(const RunOfWrite& run) {
    return runTablesEnabled() ? runOfWriteBytes(run) : QByteArray();
}

// Nothing is lost: the row and its run wait as a backup statement for the
// next write.
void takeFailurePath(const QString& product, const DatabaseRow& row, const RunOfWrite& run) {
    writeLastAccessDatabase(product, DatabaseAccess::Fail);
    saveBackupStatement(statementText(row), product, runBytes(run));
}

// Said on standard error once per reason: the station's operator sees the
// database alarm, whoever looks after the server needs the reason.
void sayRunTablesMissing(const QString& error) {
    static QString said;
    if (error == said)
        return;
    said = error;
    std::fprintf(stderr, "XQTestDev: the run tables cannot be used: %s\n", qPrintable(error));
    std::fflush(stderr);
}

// What one write stored: the product's row stands on its own; the run went in
// with it, in a savepoint of the same transaction, or waits alone.
struct StoredParts {
    bool row = false;
    bool run = false;
    bool runTablesUsable = false;
    bool commitSent = false; // after it, a failed write may have been stored all the same
};

bool insertRunInSavepoint(RowStore& store, const RunOfWrite& run) {
    if (!store.savepoint())
        return false;
    QSqlDatabase db = store.connection();
    QString error;
    if (insertRunRecord(db, run.record, run.recordFile, &error) >= 0)
        return bool(store.releaseSavepoint());
    sayRunTablesMissing(error);
    store.rollbackToSavepoint();
    return false;
}

StoredParts insertRowAndRun(RowStore& store, const DatabaseRow& row, const RunOfWrite& run) {
    StoredParts parts;
    if (!runTablesEnabled()) {
        parts.row = bool(store.insert(row));
        return parts;
    }
    QString error;
    parts.runTablesUsable = store.runTablesReady(&error);
    if (!parts.runTablesUsable)
        sayRunTablesMissing(error);
    if (!store.beginBatch())
        return parts;
    if (!store.insert(row)) {
        store.rollbackBatch();
        return parts;
    }
    const bool runStored = parts.runTablesUsable && insertRunInSavepoint(store, run);
    parts.commitSent = true;
    if (!store.commitBatch()) {
        store.rollbackBatch();
        return parts;
    }
    parts.row = true;
    parts.run = runStored;
    return parts;
}

StoredParts insertRowAndRun(const KeptStore& kept, const DatabaseRow& row, const RunOfWrite& run) {
    return kept.opened ? insertRowAndRun(*kept.store, row, run) : StoredParts();
}

void store(DBType type, const RunInputs& in, const DatabaseRow& row, const RunOfWrite& run) {
    const DatabaseAddress address = databaseAddressOf(type, in);
    KeptStore kept = keptStoreForWrite(address, row);
    StoredParts parts = insertRowAndRun(kept, row, run);
    // A server connection kept from an earlier write may know the table as it
    // was (a column added since): before anything can have been stored, the
    // write is made again on a new connection, as every write once was.
    if (!parts.row && kept.reused && !parts.commitSent && type == msSQLServer) {
        dropKeptStore(address);
        kept = keptStoreForWrite(address, row);
        parts = insertRowAndRun(kept, row, run);
    }
    if (!parts.row) {
        dropKeptStore(address);
        takeFailurePath(in.product, row, run);
        return;
    }
    writeLastAccessDatabase(in.product, DatabaseAccess::Pass);
    if (!replayBackups(*kept.store, in.product, in.tableName, parts.runTablesUsable)) {
        writeLastAccessDatabase(in.product, DatabaseAccess::Fail);
        // The database stopped the replay (busy, gone): the next write starts
        // on a new connection.
        dropKeptStore(address);
    }
    // Saved after the replay: the tables that refused it just now are not
    // asked again in the same write.
    if (runTablesEnabled() && !parts.run)
        saveBackupRun(in.product, runOfWriteBytes(run));
}

} // namespace

void writeDatabase(const QString& productName, const QString& softwareVersion, DBType type,
                   const QString& databaseName) {
    if (type != msAccess && type != msSQLServer) {
        showExclamation(DatabaseMessages::invalidDatabaseType());
        return;
    }
    const RunRecord stored = storedRunRecord(productName);
    const QString& product = stored.product;
    const QString version =
        softwareVersion.isEmpty() ? runSoftwareVersion(stored.softwareVersion) : softwareVersion;
    if (product.isEmpty()) {
        showExclamation(DatabaseMessages::missingProductName());
        return;
    }
    RunInputs in = readRunInputs(stored, version, databaseName);
    // The station's live state goes where its runs go.
    rememberStationDatabase(databaseAddressOf(type, in));
    checkPlausibility(in, type, libraryClock().now());
    const DatabaseRunRow run = buildRunRow(in);
    const RunOfWrite ofRun = runRecordOfWrite(stored, in);
    giveRunRecordSoftwareVersion(stored, version);
    if (!run.complete) {
        takeFailurePath(product, run.row, ofRun);
        return;
    }
    if (in.tableName.isEmpty()) {
        showCritical(DatabaseMessages::missingTableName());
        saveBackupStatement(statementText(run.row), product, runBytes(ofRun));
        return;
    }
    store(type, in, run.row, ofRun);
}

} // namespace XQTestDev
