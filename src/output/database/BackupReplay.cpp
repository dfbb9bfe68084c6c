#include "output/database/BackupReplay.h"

#include "output/database/BackupFolder.h"
#include "output/database/RowStore.h"
#include "output/database/StatementParser.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace XQTestDev {

namespace {

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
    if (const StoreResult stored = store.insertOnce(parsed.row); !stored)
        return stored.transient ? Outcome::Stopped : Outcome::Failed;
    // A file that cannot be deleted is stored once all the same: the next
    // replay finds its row and only deletes it.
    QFile::remove(file.filePath());
    return Outcome::Stored;
}

void markFailed(const QFileInfo& file) {
    const QString path = file.filePath();
    QFile::rename(path, path.left(path.size() - 3) + QStringLiteral("ERR"));
}

} // namespace

bool replayBackups(RowStore& store, const QString& product, const QString& table) {
    if (!QFileInfo(backupRootPath()).isDir())
        return true;
    for (const QFileInfo& file : waitingBackupFiles(product)) {
        QCoreApplication::processEvents();
        const Outcome outcome = replayOne(store, file, table);
        if (outcome == Outcome::Failed)
            markFailed(file);
        if (outcome == Outcome::Failed || outcome == Outcome::Stopped)
            return false;
    }
    return true;
}

} // namespace XQTestDev
