#include "config/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace XQTestDev {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

// The errno a test injected for this step, or 0.
int injectedFault(WriteStep step) {
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

WriteResult writeFileDurably(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray directory = QFile::encodeName(info.absolutePath());
    QByteArray temporary = directory + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";

    int error = injectedFault(WriteStep::Create);
    const int fd = error ? -1 : ::mkstemp(temporary.data());
    if (fd < 0)
        return failed(path, error ? error : errno);

    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(temporary.constData());
        return failed(path, code);
    };
    ::fchmod(fd, modeFor(target));
    if ((error = injectedFault(WriteStep::Write)) || !writeAll(fd, bytes))
        return abandon(error ? error : errno);
    if ((error = injectedFault(WriteStep::Sync)) || ::fsync(fd) != 0)
        return abandon(error ? error : errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return failed(path, code);
    }
    if ((error = injectedFault(WriteStep::Rename)) ||
        ::rename(temporary.constData(), target.constData()) != 0) {
        const int code = error ? error : errno;
        ::unlink(temporary.constData());
        return failed(path, code);
    }
    syncDirectory(directory);
    return {};
}

} // namespace XQTestDev
