#include "frame/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace XQTestDev {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

PathWriteFaultHook& pathFaultHook() {
    static PathWriteFaultHook hook;
    return hook;
}

// The errno a test injected for this step of writing `path`, or 0.
int injectedFault(WriteStep step, const QString& path) {
    if (pathFaultHook()) {
        if (const std::optional<int> error = pathFaultHook()(step, path))
            return *error;
    }
    if (!faultHook())
        return 0;
    return faultHook()(step).value_or(0);
}

WriteResult failed(const QString& path, int error) {
    return WriteResult::failure(
        QStringLiteral("Unable to write %1: %2")
            .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

void syncDirectory(const QByteArray& directory) {
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

const QByteArray TemporaryMark = ".xqtmp.";
constexpr int RandomLength = 6; // what mkostemp fills in

QByteArray temporaryTemplate(const QByteArray& directory, const QByteArray& fileName) {
    return directory + "/." + fileName + TemporaryMark + QByteArray(RandomLength, 'X');
}

bool isRandomPart(QByteArrayView text) {
    if (text.size() != RandomLength)
        return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// "." + name + ".xqtmp." + six letters or digits; `fileName` empty matches
// any name.
bool isTemporaryName(QByteArrayView entry, const QByteArray& fileName) {
    const qsizetype prefix = entry.size() - RandomLength - TemporaryMark.size();
    if (prefix < 2 || entry.front() != '.' ||
        !isRandomPart(entry.sliced(entry.size() - RandomLength)))
        return false;
    if (entry.sliced(prefix, TemporaryMark.size()) != TemporaryMark)
        return false;
    return fileName.isEmpty() || entry.sliced(1, prefix - 1) == fileName;
}

bool isSameFile(int fd, int directoryFd, const char* name) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 &&
           ::fstatat(directoryFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

// Creates and claims a new temporary from `pattern` (its X's replaced). The
// claim is an advisory lock held until the descriptor closes, also by a
// crash. A cleanup in another process may take a brand-new file before it is
// claimed; then another name is tried.
int createClaimedTemporary(QByteArray& pattern) {
    const QByteArray blank = pattern;
    for (int attempt = 0; attempt < 100; ++attempt) {
        pattern = blank;
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && isSameFile(fd, AT_FDCWD, pattern.constData()))
            return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// Removes the temporary `name` when no living writer claims it; false when
// one does.
bool removeWhenUnclaimed(int directoryFd, const char* name) {
    const int fd = ::openat(directoryFd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return true;
    struct stat info {};
    bool removed = true;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (removed && isSameFile(fd, directoryFd, name))
            ::unlinkat(directoryFd, name, 0);
    }
    ::close(fd);
    return removed;
}

// True when every temporary found was removed, none being still claimed.
bool removeUnclaimedTemporaries(const QByteArray& directory, const QByteArray& fileName) {
    DIR* folder = ::opendir(directory.isEmpty() ? "." : directory.constData());
    if (!folder)
        return true;
    const int directoryFd = ::dirfd(folder);
    bool allRemoved = true;
    while (const dirent* entry = ::readdir(folder)) {
        if (isTemporaryName(QByteArrayView(entry->d_name), fileName))
            allRemoved = removeWhenUnclaimed(directoryFd, entry->d_name) && allRemoved;
    }
    ::closedir(folder);
    return allRemoved;
}

// The files (absolute paths) whose last sweep left no temporary behind. A
// scan at every write would cost as much as the folder holds (a results
// folder fills with reports and backups); a file is swept again only while a
// living writer's temporary was seen (that writer may die), or when a caller
// learns that a writer died.
class SweptFiles {
public:
    bool isClean(const QByteArray& target) {
        const std::lock_guard<std::mutex> guard(mutex_);
        return clean_.contains(target);
    }
    void sweep(const QByteArray& directory, const QByteArray& fileName, const QByteArray& target) {
        const bool clean = removeUnclaimedTemporaries(directory, fileName);
        const std::lock_guard<std::mutex> guard(mutex_);
        if (clean)
            clean_.insert(target);
        else
            clean_.remove(target);
    }

private:
    std::mutex mutex_;
    QSet<QByteArray> clean_;
};

SweptFiles& sweptFiles() {
    static SweptFiles files;
    return files;
}

// The modification time of `source` given to the open file.
void copyTimes(int fd, const QString& source) {
    struct stat info {};
    if (::stat(QFile::encodeName(source).constData(), &info) != 0)
        return;
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::futimens(fd, times);
}

mode_t modeFor(const QByteArray& target) {
    struct stat info {};
    if (::stat(target.constData(), &info) == 0)
        return info.st_mode & 07777;
    return 0644;
}

} // namespace

void setWriteFaultHookForTesting(WriteFaultHook hook) {
    faultHook() = std::move(hook);
}

void setPathWriteFaultHookForTesting(PathWriteFaultHook hook) {
    pathFaultHook() = std::move(hook);
}

WriteResult writeFileDurably(const QString& path, const QByteArray& bytes,
                             const QString& timesFrom) {
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray directory = QFile::encodeName(info.absolutePath());
    const QByteArray fileName = QFile::encodeName(info.fileName());
    QByteArray temporary = temporaryTemplate(directory, fileName);

    int error = injectedFault(WriteStep::Create, info.absoluteFilePath());
    const int fd = error ? -1 : createClaimedTemporary(temporary);
    if (fd < 0)
        return failed(path, error ? error : errno);

    // The descriptor stays open until the rename is done, so the claim on the
    // temporary lasts as long as its name does.
    auto abandon = [&](int code) {
        ::unlink(temporary.constData());
        ::close(fd);
        return failed(path, code);
    };
    ::fchmod(fd, modeFor(target));
    if ((error = injectedFault(WriteStep::Write, info.absoluteFilePath())) || !writeAll(fd, bytes))
        return abandon(error ? error : errno);
    if (!timesFrom.isEmpty())
        copyTimes(fd, timesFrom);
    if ((error = injectedFault(WriteStep::Sync, info.absoluteFilePath())) || ::fsync(fd) != 0)
        return abandon(error ? error : errno);
    if ((error = injectedFault(WriteStep::Rename, info.absoluteFilePath())) ||
        ::rename(temporary.constData(), target.constData()) != 0)
        return abandon(error ? error : errno);
    ::close(fd);
    syncDirectory(directory);
    if (!sweptFiles().isClean(target))
        sweptFiles().sweep(directory, fileName, target);
    return {};
}

OwnedTemporaryFile::OwnedTemporaryFile(const QString& target) : target_(target) {}

OwnedTemporaryFile::~OwnedTemporaryFile() {
    if (fd_ < 0)
        return;
    ::unlink(QFile::encodeName(fileName_).constData());
    ::close(fd_);
}

bool OwnedTemporaryFile::open() {
    if (fd_ >= 0)
        return true;
    const QFileInfo info(target_);
    QByteArray name = temporaryTemplate(QFile::encodeName(info.absolutePath()),
                                        QFile::encodeName(info.fileName()));
    fd_ = createClaimedTemporary(name);
    if (fd_ < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    fileName_ = QFile::decodeName(name);
    return true;
}

void removeStaleTemporaries(const QString& targetPath) {
    const QFileInfo info(targetPath);
    sweptFiles().sweep(QFile::encodeName(info.absolutePath()), QFile::encodeName(info.fileName()),
                       QFile::encodeName(info.absoluteFilePath()));
}

void removeStaleTemporariesIn(const QString& directory) {
    if (!directory.isEmpty())
        removeUnclaimedTemporaries(QFile::encodeName(directory), QByteArray());
}

} // namespace XQTestDev
