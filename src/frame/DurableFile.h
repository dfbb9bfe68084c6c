#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace XQTestDev {

struct WriteResult {
    bool ok = true;
    QString error; // readable text naming the file, when !ok

    explicit operator bool() const { return ok; }
    static WriteResult failure(QString text) { return {false, std::move(text)}; }
};

// Replaces `path` with `bytes` so that a crash or power loss at any moment
// leaves either the old or the new file: a temporary file in the same folder,
// flushed to disk, renamed over the old one, and the folder flushed. The old
// file's permissions are kept. With `timesFrom`, the new file carries that
// file's modification time, as a copy of it would. The first successful write
// of a file in this process also removes the temporaries of the same file
// that crashed writers left behind, and so does every later one for as long
// as a temporary of a living writer was seen beside it.
WriteResult writeFileDurably(const QString& path, const QByteArray& bytes,
                             const QString& timesFrom = {});

// A temporary file beside `target`, for writers that hand a file name to
// someone else (a PDF printer) or only probe the folder. It is named like the
// temporaries of writeFileDurably and, like them, is removed when it is
// closed for good or, after a crash, by the next cleanup.
class OwnedTemporaryFile {
public:
    explicit OwnedTemporaryFile(const QString& target);
    ~OwnedTemporaryFile();
    OwnedTemporaryFile(const OwnedTemporaryFile&) = delete;
    OwnedTemporaryFile& operator=(const OwnedTemporaryFile&) = delete;

    bool open();
    void close() {} // the file stays claimed until it is destroyed
    QString fileName() const { return fileName_; }
    QString errorString() const { return error_; }

private:
    QString target_;
    QString fileName_;
    QString error_;
    int fd_ = -1;
};

// Temporaries are named "." + the file's name + ".xqtmp." + six random
// characters and hold an advisory lock for as long as their writer lives.
// These remove the ones whose lock is free: of one file (for a writer that
// learns that another one died while writing it), or of every file in a
// folder. Nothing of another name is touched, nor one still being written.
void removeStaleTemporaries(const QString& targetPath);
void removeStaleTemporariesIn(const QString& directory);

// Tests inject operating-system failures at each step of a durable write.
enum class WriteStep { Create, Write, Sync, Rename };
using WriteFaultHook = std::function<std::optional<int>(WriteStep)>; // errno to fail with
void setWriteFaultHookForTesting(WriteFaultHook hook);
// The same for the writes of chosen files (a full disk under one folder).
using PathWriteFaultHook = std::function<std::optional<int>(WriteStep, const QString& path)>;
void setPathWriteFaultHookForTesting(PathWriteFaultHook hook);

} // namespace XQTestDev
