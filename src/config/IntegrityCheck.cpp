#include "config/IntegrityCheck.h"

#include <XQTestDev/XQUtility32.h>

#include "config/StationFiles.h"
#include "config/XQSecurity32.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"

#include <QFile>
#include <QVariant>

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
bool acceptChange(XQUtility32& utility, const QString& warning, QVariant& typed) {
    QString note;
    for (;;) {
        const QString message =
            warning + QStringLiteral("\nPlease enter admin password for acceptation.") + note;
        const int pressed = utility.InfoBox(message, vbOKCancel, true, &typed, false, Center, false,
                                            QStringLiteral("*"));
        // Only OK submits the password; Cancel, or a dialog closed by other
        // means, ends the check.
        if (pressed != 1)
            return false;
        if (typed.toString() == library().adminPassword)
            return true;
        note = QStringLiteral("\n\n\n\nInvalid password! please re-entry ...");
    }
}

} // namespace

bool checkConfigurationIntegrity(XQUtility32& utility) {
    const GuardedFile guarded[] = {
        {StationFile::Ate, QStringLiteral("Warning! ATE.INI has changed.")},
        {StationFile::Products, QStringLiteral("Warning! Products.INI has changed.")},
    };
    QVariant typed = QString();
    for (const GuardedFile& entry : guarded) {
        const QString computed = currentChecksum(entry.file);
        const QString stored = readStationValue(entry.file, HistorySection, ChecksumKey).trimmed();
        if (stored == computed)
            continue;
        if (!acceptChange(utility, entry.warning, typed))
            return false;
        storeChecksum(entry.file, computed);
    }
    return true;
}

bool configurationReleasedForRun() {
    if (library().adminPassword.isEmpty())
        return true;
    if (checkConfigurationIntegrity(sharedUtility()))
        return true;
    showCritical(integrityRefusedMessage());
    return false;
}

} // namespace XQTestDev
