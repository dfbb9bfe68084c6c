#include "output/database/BackupFolder.h"

#include "frame/EventPause.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "output/HeldFolder.h"
#include "output/database/DatabaseMessages.h"
#include "ui/RunNotice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace XQTestDev {

namespace {

constexpr quint32 NameRange = 100000000; // eight decimal digits

QString percentCode(QChar c) {
    return QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
}

bool needsCode(QChar c) {
    return c == QLatin1Char('%') || c == QLatin1Char('/') || c == QLatin1Char('\\') ||
           c.unicode() < 0x20 || c.unicode() == 0x7f;
}

QString drawFileName(const QDir& folder) {
    for (;;) {
        // The operator's windows stay alive while names are drawn.
        letPendingEventsRun();
        const QString name = QStringLiteral("%1").arg(
            QRandomGenerator::global()->bounded(NameRange), 8, 10, QLatin1Char('0'));
        if (!folder.exists(name + QStringLiteral(".SQL")) &&
            !folder.exists(name + QStringLiteral(".ERR")) &&
            !folder.exists(name + QStringLiteral(".RUN")))
            return folder.filePath(name + QStringLiteral(".SQL"));
    }
}

WriteResult makeFolder(const QString& path) {
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return {};
    return WriteResult::failure(
        QStringLiteral("Unable to create the folder %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace

QString backupRootPath() {
    return library().resultsDirectory + QStringLiteral("XQDATABAK/");
}

QString heldBackupRootPath() {
    return heldRunsFolder() + QStringLiteral("XQDATABAK/");
}

QString safeFolderName(const QString& product) {
    QString out;
    const bool dotsOnly =
        std::all_of(product.begin(), product.end(), [](QChar c) { return c == QLatin1Char('.'); });
    for (const QChar c : product)
        out += needsCode(c) || (dotsOnly && c == QLatin1Char('.')) ? percentCode(c) : QString(c);
    return out;
}

QString backupFolderPath(const QString& product) {
    return backupRootPath() + safeFolderName(product) + QLatin1Char('/');
}

namespace {

// Saves into `root`: the run first (so that a statement never waits without
// its run), then the statement; either may be absent, not both.
WriteResult saveInto(const QString& root, const QString& product, const QString& statement,
                     const QByteArray& runBytes) {
    const QString folder = root + safeFolderName(product) + QLatin1Char('/');
    WriteResult saved = makeFolder(root);
    if (saved)
        saved = makeFolder(folder);
    const QString file = saved ? drawFileName(QDir(folder)) : QString();
    if (saved && !runBytes.isEmpty())
        saved = writeFileDurably(runFileOf(file), runBytes);
    if (saved && !statement.isEmpty())
        saved = writeFileDurably(file, statement.toUtf8() + QByteArrayLiteral("\r\n"));
    if (!saved && !file.isEmpty())
        QFile::remove(runFileOf(file));
    return saved;
}

// The results folder first; when it cannot take the backup (a full disk), the
// held-runs folder, which the replay reads too. Only when both fail is the
// operator told that it is lost.
WriteResult saveSomewhere(const QString& product, const QString& statement,
                          const QByteArray& runBytes) {
    const WriteResult saved = saveInto(backupRootPath(), product, statement, runBytes);
    if (saved)
        return saved;
    if (saveInto(heldBackupRootPath(), product, statement, runBytes)) {
        sayRunNotice(QStringLiteral("%1; the database backup waits in %2")
                         .arg(saved.error, QDir::toNativeSeparators(heldBackupRootPath())));
        return {};
    }
    showCritical(DatabaseMessages::backupNotSaved(saved.error));
    return saved;
}

QFileInfoList filesIn(const QString& root, const QString& product, const QString& pattern) {
    return QDir(root + safeFolderName(product) + QLatin1Char('/'))
        .entryInfoList({pattern}, QDir::Files | QDir::Hidden, QDir::Unsorted);
}

void sortOldestFirst(QFileInfoList& files) {
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime aTime = a.lastModified();
        const QDateTime bTime = b.lastModified();
        return aTime != bTime ? aTime < bTime : a.fileName() < b.fileName();
    });
}

} // namespace

QString runFileOf(const QString& statementFile) {
    return statementFile.left(statementFile.size() - 3) + QStringLiteral("RUN");
}

WriteResult saveBackupStatement(const QString& statement, const QString& product,
                                const QByteArray& runBytes) {
    return saveSomewhere(product, statement, runBytes);
}

WriteResult saveBackupRun(const QString& product, const QByteArray& runBytes) {
    return saveSomewhere(product, QString(), runBytes);
}

QFileInfoList waitingBackupFiles(const QString& product) {
    QFileInfoList files;
    for (const QString& root : {backupRootPath(), heldBackupRootPath()})
        files += filesIn(root, product, QStringLiteral("*.SQL"));
    sortOldestFirst(files);
    return files;
}

QFileInfoList waitingBackupRuns(const QString& product) {
    QFileInfoList runs;
    for (const QString& root : {backupRootPath(), heldBackupRootPath()}) {
        for (const QFileInfo& run : filesIn(root, product, QStringLiteral("*.RUN"))) {
            const QString path = run.filePath();
            if (!QFileInfo::exists(path.left(path.size() - 3) + QStringLiteral("SQL")) &&
                !QFileInfo::exists(path.left(path.size() - 3) + QStringLiteral("ERR")))
                runs << run;
        }
    }
    sortOldestFirst(runs);
    return runs;
}

bool anyBackupFolder() {
    return QFileInfo(backupRootPath()).isDir() || QFileInfo(heldBackupRootPath()).isDir();
}

} // namespace XQTestDev
