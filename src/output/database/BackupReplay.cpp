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

struct Replay {
    QString table;
    bool runTablesUsable = true; // false: runs keep waiting, rows go in alone
};

bool isRunOnly(const QFileInfo& file) {
    return file.suffix() == QLatin1String("RUN");
}

// Whether the run beside a statement goes in with it.
bool runGoesWith(const QString& statementFile, const Replay& replay) {
    return runTablesEnabled() && replay.runTablesUsable && QFile::exists(runFileOf(statementFile));
}

// The run of a saved statement (or a run alone), stored in the row's
// savepoint; a run stored already is found and not stored again.
StoreResult storeRunFile(RowStore& store, const QString& runFile) {
    QFile file(runFile);
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

Outcome storeInSavepoint(RowStore& store, const DatabaseRow* row, const QString& runFile) {
    if (!store.savepoint())
        return Outcome::Stopped;
    StoreResult stored = row ? store.insertOnce(*row) : StoreResult();
    if (stored && !runFile.isEmpty())
        stored = storeRunFile(store, runFile);
    if (stored)
        return store.releaseSavepoint() ? Outcome::Stored : Outcome::Stopped;
    // A connection that cannot even roll back is gone: not the row's fault.
    if (!store.rollbackToSavepoint() || stored.transient)
        return Outcome::Stopped;
    return Outcome::Failed;
}

Outcome replayOne(RowStore& store, const QFileInfo& file, const Replay& replay) {
    if (isRunOnly(file))
        return storeInSavepoint(store, nullptr, file.filePath());
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
        if (replay.table.isEmpty())
            return Outcome::LeftAlone;
        parsed.row.table = replay.table;
    }
    const QString runFile =
        runGoesWith(file.filePath(), replay) ? runFileOf(file.filePath()) : QString();
    return storeInSavepoint(store, &parsed.row, runFile);
}

void markFailed(const QFileInfo& file) {
    const QString path = file.filePath();
    QFile::rename(path, path.left(path.size() - 3) + QStringLiteral("ERR"));
}

// Replays files from `next` on within one commit; false when the replay ends
// here. A file that cannot be deleted after its commit is stored once all the
// same: the next replay finds its row and only deletes it.
bool replayBatch(RowStore& store, const QFileInfoList& files, qsizetype& next,
                 const Replay& replay) {
    if (!store.beginBatch())
        return false;
    QStringList stored;
    QStringList keptRuns;
    bool goOn = true;
    for (int count = 0; goOn && count < FilesPerCommit && next < files.size(); ++count, ++next) {
        // The operator's windows stay alive while files are replayed.
        letPendingEventsRun();
        const QFileInfo& file = files[next];
        switch (replayOne(store, file, replay)) {
        case Outcome::Stored:
            stored << file.filePath();
            // A run that could not go in with its row waits alone.
            if (!isRunOnly(file) && !runGoesWith(file.filePath(), replay))
                keptRuns << runFileOf(file.filePath());
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
        if (!keptRuns.contains(runFileOf(path)))
            QFile::remove(runFileOf(path));
        QFile::remove(path);
    }
    return goOn;
}

bool replayAll(RowStore& store, const QFileInfoList& files, const Replay& replay) {
    qsizetype next = 0;
    while (next < files.size()) {
        if (!replayBatch(store, files, next, replay))
            return false;
    }
    return true;
}

} // namespace

bool replayBackups(RowStore& store, const QString& product, const QString& table,
                   bool runTablesUsable) {
    if (!anyBackupFolder())
        return true;
    const Replay replay{table, runTablesUsable};
    // The product's rows first: runs that cannot go in never hold them back.
    if (!replayAll(store, waitingBackupFiles(product), replay))
        return false;
    if (!runTablesEnabled() || !runTablesUsable)
        return true;
    return replayAll(store, waitingBackupRuns(product), replay);
}

} // namespace XQTestDev
