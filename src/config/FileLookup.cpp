#include "config/FileLookup.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace XQTestDev {

namespace {

QHash<QString, QString>& foundFiles() {
    static QHash<QString, QString> found;
    return found;
}

QString lookupKey(const QString& directory, const QString& name) {
    return directory + QLatin1Char('\n') + name.toCaseFolded();
}

QString scan(const QString& directory, const QString& name) {
    const QString asGiven = directory + name;
    if (QFileInfo::exists(asGiven))
        return asGiven;
    const QDir dir(directory.isEmpty() ? QStringLiteral(".") : directory);
    const QStringList entries = dir.entryList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return directory + entry;
    }
    return asGiven;
}

} // namespace

QString findFileIgnoringCase(const QString& directory, const QString& name) {
    const QString key = lookupKey(directory, name);
    const auto found = foundFiles().constFind(key);
    if (found != foundFiles().constEnd())
        return *found;
    return refindFileIgnoringCase(directory, name);
}

QString refindFileIgnoringCase(const QString& directory, const QString& name) {
    const QString path = scan(directory, name);
    foundFiles().insert(lookupKey(directory, name), path);
    return path;
}

} // namespace XQTestDev
