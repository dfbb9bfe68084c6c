#include "output/database/BackupFolder.h"

#include "frame/EventPause.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "output/database/DatabaseMessages.h"

#include <QDir>
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

QString runFileOf(const QString& statementFile) {
    return statementFile.left(statementFile.size() - 3) + QStringLiteral("RUN");
}

WriteResult saveBackupStatement(const QString& statement, const QString& product,
                                const QByteArray& runBytes) {
    const QString folder = backupFolderPath(product);
    WriteResult saved = makeFolder(backupRootPath());
    if (saved)
        saved = makeFolder(folder);
    const QString file = saved ? drawFileName(QDir(folder)) : QString();
    if (saved && !runBytes.isEmpty())
        saved = writeFileDurably(runFileOf(file), runBytes);
    if (saved)
        saved = writeFileDurably(file, statement.toUtf8() + QByteArrayLiteral("\r\n"));
    if (!saved)
        showCritical(DatabaseMessages::backupNotSaved(saved.error));
    return saved;
}

QFileInfoList waitingBackupFiles(const QString& product) {
    QDir folder(backupFolderPath(product));
    QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.SQL")}, QDir::Files | QDir::Hidden, QDir::Unsorted);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime aTime = a.lastModified();
        const QDateTime bTime = b.lastModified();
        return aTime != bTime ? aTime < bTime : a.fileName() < b.fileName();
    });
    return files;
}

} // namespace XQTestDev
