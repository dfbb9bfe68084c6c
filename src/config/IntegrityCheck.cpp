#include "config/IntegrityCheck.h"

#include "config/StationFiles.h"
#include "config/XQSecurity32.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/OperatorPrompt.h"

#include <QFile>

namespace XQTestDev {

namespace {

const QString HistorySection = QStringLiteral("History");
const QString ChecksumKey = QStringLiteral("XQCheckSum");

struct GuardedFile {
    StationFile file;
    QString warning;
};

// The checksum of what the file holds now; "0" after the missing-file
// message when the file is absent, the checksum of what could be read when
// it is unreadable.
QString currentChecksum(StationFile file) {
    XQSecurity32 security;
    if (!stationFileExists(file)) {
        showCritical(missingFileMessage(file));
        return security.checksum({});
    }
    QFile in(stationFilePath(file));
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    return security.checksum(bytes);
}

// Stores an accepted checksum. A missing file is not created by it.
void storeChecksum(StationFile file, const QString& checksum) {
    if (!stationFileExists(file))
        return;
    const WriteResult written = writeStationValue(file, HistorySection, ChecksumKey, checksum);
    if (!written)
        showExclamation(QStringLiteral("The checksum could not be stored, so the change will be "
                                       "asked for again: %1")
                            .arg(written.error));
}

// Asks for the admin password until it is typed or the operator gives up.
// `typed` carries the text from one prompt to the next.
bool acceptChange(OperatorPrompt& prompt, const QString& warning, QString& typed) {
    QString note;
    for (;;) {
        const QString message =
            warning + QStringLiteral("\nPlease enter admin password for acceptation.") + note;
        // Only OK submits the password; Cancel, or a dialog closed by other
        // means, ends the check.
        if (!prompt.askPassword(message, typed))
            return false;
        if (typed == library().adminPassword)
            return true;
        note = QStringLiteral("\n\n\n\nInvalid password! please re-entry ...");
    }
}

} // namespace

bool checkConfigurationIntegrity(OperatorPrompt& prompt) {
    const GuardedFile guarded[] = {
        {StationFile::Ate, QStringLiteral("Warning! ATE.INI has changed.")},
        {StationFile::Products, QStringLiteral("Warning! Products.INI has changed.")},
    };
    QString typed;
    for (const GuardedFile& entry : guarded) {
        const QString computed = currentChecksum(entry.file);
        const QString stored = readStationValue(entry.file, HistorySection, ChecksumKey).trimmed();
        if (stored == computed)
            continue;
        if (!acceptChange(prompt, entry.warning, typed))
            return false;
        storeChecksum(entry.file, computed);
    }
    return true;
}

bool configurationReleasedForRun() {
    if (library().adminPassword.isEmpty())
        return true;
    if (checkConfigurationIntegrity(operatorPrompt()))
        return true;
    showCritical(integrityRefusedMessage());
    return false;
}

} // namespace XQTestDev
