#include "frame/FileLock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace XQTestDev {

namespace {

bool lockWaiting(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// Whether `path` still names the file that `fd` has open: the previous holder
// may have removed it while we waited.
bool stillNamed(int fd, const QByteArray& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

} // namespace

QString FileLock::lockFilePath(const QString& guardedPath) {
    const QFileInfo info(guardedPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

FileLock::FileLock(const QString& guardedPath)
    : path_(QFile::encodeName(lockFilePath(guardedPath))) {
    // Held only by our own writers for one flushed write each, so waiting for
    // it is short; a holder that died has already dropped it.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        bool created = true;
        int fd =
            ::open(path_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno == EEXIST) {
            created = false;
            fd = ::open(path_.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
            if (fd < 0 && errno == ENOENT)
                continue; // its holder has just let go
        }
        if (fd < 0)
            return;
        if (lockWaiting(fd) && stillNamed(fd, path_)) {
            fd_ = fd;
            // A holder that lets go removes the file first; one that is still
            // named, made by someone else and now free was left by a holder
            // that died.
            leftByDeadHolder_ = !created;
            return;
        }
        ::close(fd);
    }
}

FileLock::~FileLock() {
    if (fd_ < 0)
        return;
    ::unlink(path_.constData());
    ::close(fd_); // closing drops the lock
}

} // namespace XQTestDev
