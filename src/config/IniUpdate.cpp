#include "config/IniUpdate.h"

#include "config/FileLookup.h"
#include "config/IniStore.h"
#include "config/StationFiles.h"
#include "frame/DurableFile.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/OperatorPrompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace XQTestDev {

namespace {

struct UpdateTexts {
    QString fileName;        // as created and as looked for in the new folder
    QString backupPrefix;    // "ATE" or "PROD"
    QString foundMessage;    // "New ATE.INI has been found."
    QString noBackupMessage; // when 001..999 are all taken
};

const UpdateTexts AteTexts{
    QStringLiteral("ATE.INI"), QStringLiteral("ATE"), QStringLiteral("New ATE.INI has been found."),
    QStringLiteral("Unable to update ATE.INI, Please delete some backup files!.")};

const UpdateTexts ProductsTexts{
    QStringLiteral("PRODUCTS.INI"), QStringLiteral("PROD"),
    QStringLiteral("New PRODUCTS.INI has been found."),
    QStringLiteral("Unable to update PRODUCTS.INI, Please delete off some backup files!")};

bool operatorAccepts(const QString& foundMessage) {
    const QString question = QStringLiteral("\n\n\n\n") + foundMessage +
                             QStringLiteral("\nWould you like to overwrite the existing one?.");
    return operatorPrompt().confirm(question);
}

// Keeps the old file as the backup and puts the new one in its place. Unlike a
// rename followed by a copy, the station is never left without the file: the
// backup is written first and the new contents replace the old atomically.
bool replaceWithBackup(const QString& currentPath, const QString& backupPath,
                       const QString& newPath) {
    QFile current(currentPath);
    QFile incoming(newPath);
    if (!current.open(QIODevice::ReadOnly) || !incoming.open(QIODevice::ReadOnly)) {
        showExclamation(
            QStringLiteral("Unable to read %1!").arg(current.isOpen() ? newPath : currentPath));
        return false;
    }
    const QByteArray oldBytes = current.readAll();
    const QByteArray newBytes = incoming.readAll();
    // Both keep the dates of what they copy: an installed file dated today
    // would hide every later update dated before today.
    WriteResult result = writeFileDurably(backupPath, oldBytes, currentPath);
    if (result)
        result = writeFileDurably(currentPath, newBytes, newPath);
    if (!result) {
        showExclamation(result.error);
        return false;
    }
    return true;
}

// Step for one of the two files; false when its current file is missing,
// which ends the whole update.
bool updateOne(StationFile file, const UpdateTexts& texts, const QString& newDirectory) {
    if (!stationFileExists(file)) {
        showCritical(missingFileMessage(file));
        return false;
    }
    const QString currentPath = stationFilePath(file);
    // Looked up afresh: the update folder (a stick, a share) changes between
    // calls without the library writing to it.
    const QString newPath = refindFileIgnoringCase(newDirectory, texts.fileName);
    const QFileInfo incoming(newPath);
    if (!incoming.isFile() || incoming.lastModified() <= QFileInfo(currentPath).lastModified())
        return true;
    if (!operatorAccepts(texts.foundMessage))
        return true;
    const QString backupName = firstFreeBackupName(library().iniDirectory, texts.backupPrefix);
    if (backupName.isEmpty()) {
        showExclamation(texts.noBackupMessage);
        return true;
    }
    replaceWithBackup(currentPath, library().iniDirectory + backupName, newPath);
    return true;
}

} // namespace

QString firstFreeBackupName(const QString& directory, const QString& prefix) {
    const QDir dir(directory.isEmpty() ? QStringLiteral(".") : directory);
    QSet<QString> taken;
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System))
        taken.insert(entry.toCaseFolded());
    for (int n = 1; n <= 999; ++n) {
        const QString name = QStringLiteral("%1%2.INI").arg(prefix).arg(n, 3, 10, QLatin1Char('0'));
        if (!taken.contains(name.toCaseFolded()))
            return name;
    }
    return {};
}

void updateStationFiles(const QString& newDirectory) {
    if (newDirectory.isEmpty()) {
        showExclamation(QStringLiteral("Invaid update INI path!"));
        return;
    }
    QString source = newDirectory;
    if (!source.endsWith(QLatin1Char('/')))
        source += QLatin1Char('/');
    if (!updateOne(StationFile::Ate, AteTexts, source))
        return;
    updateOne(StationFile::Products, ProductsTexts, source);
}

} // namespace XQTestDev
