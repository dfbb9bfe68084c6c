// The configuration-file members of XQUtility32.

#include <XQTestDev/XQUtility32.h>

#include "config/IniUpdate.h"
#include "config/StationFiles.h"
#include "frame/DesktopOpen.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace XQTestDev {

namespace {

// The profile reader's buffer leaves room for this many characters of value.
constexpr int MaxValueLength = IniDocument::MaxValueLength;

QString withTrailingSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// A directory that exists, with "/" appended; otherwise the message and the
// working directory.
QString directoryOrWorkingDirectory(const QString& path, const QString& invalidMessage) {
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return withTrailingSlash(path);
    showExclamation(invalidMessage);
    return withTrailingSlash(QDir::currentPath());
}

// False (with the missing-file message) when a configuration file is needed
// but absent; the results file is never reported.
bool reachable(StationFile file, const IniDocument* document) {
    if (file == StationFile::Results || document)
        return true;
    showCritical(missingFileMessage(file));
    return false;
}

// The results file is never missing: it is not read just to learn that.
bool reachable(StationFile file) {
    return file == StationFile::Results || reachable(file, stationDocument(file));
}

} // namespace

QString XQUtility32::ReadINI(bool From_ATE_INI, const QString& strSectionName,
                             const QString& strKeyName) {
    const StationFile file = chooseStationFile(From_ATE_INI, strSectionName, strKeyName);
    const IniDocument* document = stationDocument(file);
    if (!reachable(file, document) || !document)
        return {};
    QString value = document->value(strSectionName, strKeyName).value_or(QString());
    if (value.size() > MaxValueLength)
        value.truncate(MaxValueLength);
    return value;
}

void XQUtility32::WriteINI(bool To_ATE_INI, const QString& strSectionName,
                           const QString& strKeyName, const QString& strValue) {
    const StationFile file = chooseStationFile(To_ATE_INI, strSectionName, strKeyName);
    if (!reachable(file))
        return;
    // Write failures are not reported to the caller here; the run's own
    // writers check them.
    writeStationValue(file, strSectionName, strKeyName, strValue);
}

QString XQUtility32::GetINIVersion(const QString& ProductName) {
    if (!ProductName.isEmpty())
        return ReadINI(false, ProductName, QStringLiteral("Version"));
    return ReadINI(true, QStringLiteral("History"), QStringLiteral("Version"));
}

void XQUtility32::OpenINI(bool Open_ATE_INI) {
    const StationFile file = Open_ATE_INI ? StationFile::Ate : StationFile::Products;
    if (!reachable(file))
        return;
    // As Open Last Report does: the desktop's own application for the file.
    openWithDesktop(QFileInfo(stationFilePath(file)).absoluteFilePath());
}

void XQUtility32::UpdateINI(const QString& NewINIPath) {
    updateStationFiles(NewINIPath);
}

QString XQUtility32::INIPath() const {
    return library().iniDirectory;
}

void XQUtility32::setINIPath(const QString& path) {
    library().iniDirectory =
        directoryOrWorkingDirectory(path, QStringLiteral("Invalid INIPath property!"));
    removeStaleTemporariesIn(library().iniDirectory); // left by a crashed writer
}

QString XQUtility32::AppPath() const {
    return library().applicationDirectory;
}

void XQUtility32::setAppPath(const QString& path) {
    library().applicationDirectory =
        directoryOrWorkingDirectory(path, QStringLiteral("Invalid AppPath property!"));
}

} // namespace XQTestDev
