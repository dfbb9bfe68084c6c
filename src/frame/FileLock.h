#pragma once

#include <QByteArray>
#include <QString>

namespace XQTestDev {

// Keeps other processes that use it from changing a file between our read of
// it and the rename of our new version over it: an advisory lock on the file
// "." + name + ".lock" beside it. The system drops the lock when its holder
// ends, however it ends, so a crashed writer never blocks the next one.
//
// The holder removes the lock file before it lets go, so none is left in the
// folder; whoever was waiting on the removed file finds it gone once it gets
// the lock, and starts over with the new one.
//
// A write into a folder where no lock file can be made goes ahead without
// it; such a folder takes no temporary either, so the write fails anyway.
class FileLock {
public:
    explicit FileLock(const QString& guardedPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isHeld() const { return fd_ >= 0; }
    // The lock file was left by a holder that ended without letting go: a
    // writer died in the middle of its write, and its temporary may be left.
    bool previousHolderDied() const { return leftByDeadHolder_; }

    static QString lockFilePath(const QString& guardedPath);

private:
    QByteArray path_;
    int fd_ = -1;
    bool leftByDeadHolder_ = false;
};

} // namespace XQTestDev
