#include "config/IniStore.h"

#include "frame/FileLock.h"
#include "frame/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <sys/stat.h>

namespace XQTestDev {

namespace {

qint64 nanoseconds(const struct timespec& time) {
    return static_cast<qint64>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat& info) {
    return FileStamp{nanoseconds(info.st_mtim), nanoseconds(info.st_ctim),
                     static_cast<qint64>(info.st_size), static_cast<quint64>(info.st_ino),
                     static_cast<quint64>(info.st_dev)};
}

std::optional<FileStamp> regularFileStamp(const QByteArray& encodedPath) {
    struct stat info {};
    if (::stat(encodedPath.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

QString notTextMessage(const QString& path) {
    return QStringLiteral("%1 is not a text file and cannot be used as an INI file!")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

// One message per file for what the station program does in one go (until
// the event loop runs again), not one for each of the keys it reads.
void reportNotText(const QString& path) {
    static QSet<QString> reported;
    if (reported.contains(path))
        return;
    reported.insert(path);
    showExclamation(notTextMessage(path));
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [] { reported.clear(); });
}

} // namespace

IniStore& IniStore::instance() {
    static IniStore store;
    return store;
}

IniStore::Entry* IniStore::load(const QString& path) {
    auto cached = cache_.find(path);
    const QByteArray encoded =
        cached != cache_.end() ? cached->encodedPath : QFile::encodeName(path);
    const std::optional<FileStamp> stamp = regularFileStamp(encoded);
    if (!stamp) {
        if (cached != cache_.end())
            cache_.erase(cached);
        return nullptr;
    }
    if (cached != cache_.end() && cached->stamp == *stamp)
        return &*cached;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cache_.remove(path);
        return nullptr;
    }
    // The stamp of what was actually read, not of what was there a moment ago.
    struct stat opened {};
    const bool haveStamp = ::fstat(file.handle(), &opened) == 0;
    const QByteArray bytes = file.readAll();
    Entry entry{encoded, haveStamp ? stampOf(opened) : FileStamp{}, IniDocument::parse(bytes)};
    return &*cache_.emplace(path, std::move(entry));
}

const IniDocument* IniStore::document(const QString& path) {
    Entry* entry = load(path);
    if (entry && !entry->document.isText())
        reportNotText(path);
    return entry ? &entry->document : nullptr;
}

WriteResult IniStore::apply(const QString& path, const std::vector<IniDocument::Edit>& edits) {
    std::optional<FileLock> lock(std::in_place, path);
    if (lock->previousHolderDied())
        removeStaleTemporaries(path);
    Entry* entry = load(path);
    if (entry && !entry->document.isText()) {
        lock.reset(); // other writers do not wait for the operator's answer
        reportNotText(path);
        return WriteResult::failure(notTextMessage(path));
    }
    IniDocument document = entry ? std::move(entry->document) : IniDocument();
    // The cached copy is being changed; it comes back only with a good write.
    cache_.remove(path);

    int applied = 0;
    for (const IniDocument::Edit& edit : edits)
        applied += document.setValue(edit.section, edit.key, edit.value) ? 1 : 0;
    if (applied == 0 && !edits.empty())
        return WriteResult::failure(
            QStringLiteral("Unable to write %1: empty section or key name").arg(path));

    WriteResult result = writeFileDurably(path, document.serialize());
    if (!result)
        return result;
    const QByteArray encoded = QFile::encodeName(path);
    if (const std::optional<FileStamp> stamp = regularFileStamp(encoded))
        cache_.emplace(path, Entry{encoded, *stamp, std::move(document)});
    return result;
}

} // namespace XQTestDev
