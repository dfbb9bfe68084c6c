#include "output/database/BackupReplay.h"

#include "frame/EventPause.h"
#include "output/database/BackupFolder.h"
#include "output/database/RowStore.h"
#include "output/database/RunRecordOfWrite.h"
#include "output/database/RunTables.h"
#include "output/database/StatementParser.h"

#include <QFile>
#include <QFileInfo>

namespace XQTestDev {

namespace {

// A thousand waiting files must not cost a thousand waits for the disk, and a
// crash must not cost much work: files are stored a hundred to a commit and
// deleted once their rows are committed.
constexpr int FilesPerCommit = 100;

// Failed: the statement is at fault and is set aside as .ERR. Stopped: the
// database is (busy, gone), so the statement waits as it is for the next write.
enum class Outcome { Stored, LeftAlone, Failed, Stopped };

QString firstLine(const QString& path, bool& readable) {
    QFile file(path);
    readable = file.open(QIODevice::ReadOnly);
    if (!readable)
        return {};
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

// The run of a saved statement, stored in the row's savepoint; a run stored
// already is found and not stored again.
StoreResult storeRunOf(RowStore& store, const QString& statementFile) {
    QFile file(runFileOf(statementFile));
    if (!runTablesEnabled() || !file.exists())
        return {};
    RunOfWrite run;
    if (!file.open(QIODevice::ReadOnly) || !readRunOfWrite(file.readAll(), run))
        return StoreResult::failure(
            QStringLiteral("%1 holds no run").arg(QFileInfo(file).fileName()));
    QSqlDatabase db = store.connection();
    QString error;
    if (insertRunRecord(db, run.record, run.recordFile, &error) < 0)
        return StoreResult::failure(error);
    return {};
}

Outcome storeInSavepoint(RowStore& store, const DatabaseRow& row, const QString& statementFile) {
    if (!store.savepoint())
        return Outcome::Stopped;
    StoreResult stored = store.insertOnce(row);
    if (stored)
        stored = storeRunOf(store, statementFile);
    if (stored)
        return store.releaseSavepoint() ? Outcome::Stored : Outcome::Stopped;
    // A connection that cannot even roll back is gone: not the row's fault.
    if (!store.rollbackToSavepoint() || stored.transient)
        return Outcome::Stopped;
    return Outcome::Failed;
}

Outcome replayOne(RowStore& store, const QFileInfo& file, const QString& table) {
    bool readable = false;
    const QString statement = firstLine(file.filePath(), readable);
    if (!readable)
        return Outcome::Failed;
    if (statement.isEmpty())
        return Outcome::LeftAlone;
    ParsedStatement parsed = parseStatement(statement);
    if (!parsed.error.isEmpty())
        return Outcome::Failed;
    if (parsed.hasPlaceholder) {
        if (table.isEmpty())
            return Outcome::LeftAlone;
        parsed.row.table = table;
    }
    return storeInSavepoint(store, parsed.row, file.filePath());
}

void markFailed(const QFileInfo& file) {
    const QString path = file.filePath();
    QFile::rename(path, path.left(path.size() - 3) + QStringLiteral("ERR"));
}

// Replays files from `next` on within one commit; false when the replay ends
// here. A file that cannot be deleted after its commit is stored once all the
// same: the next replay finds its row and only deletes it.
bool replayBatch(RowStore& store, const QFileInfoList& files, qsizetype& next,
                 const QString& table) {
    if (!store.beginBatch())
        return false;
    QStringList stored;
    bool goOn = true;
    for (int count = 0; goOn && count < FilesPerCommit && next < files.size(); ++count, ++next) {
        // The operator's windows stay alive while files are replayed.
        letPendingEventsRun();
        const QFileInfo& file = files[next];
        switch (replayOne(store, file, table)) {
        case Outcome::Stored:
            stored << file.filePath();
            break;
        case Outcome::LeftAlone:
            break;
        case Outcome::Failed:
            markFailed(file);
            goOn = false;
            break;
        case Outcome::Stopped:
            goOn = false;
            break;
        }
    }
    if (!store.commitBatch()) {
        store.rollbackBatch();
        return false;
    }
    for (const QString& path : stored) {
        QFile::remove(runFileOf(path));
        QFile::remove(path);
    }
    return goOn;
}

} // namespace

bool replayBackups(RowStore& store, const QString& product, const QString& table) {
    if (!QFileInfo(backupRootPath()).isDir())
        return true;
    const QFileInfoList files = waitingBackupFiles(product);
    qsizetype next = 0;
    while (next < files.size()) {
        if (!replayBatch(store, files, next, table))
            return false;
    }
    return true;
}

} // namespace XQTestDev
