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
// file's permissions are kept.
WriteResult writeFileDurably(const QString& path, const QByteArray& bytes);

// Tests inject operating-system failures at each step of a durable write.
enum class WriteStep { Create, Write, Sync, Rename };
using WriteFaultHook = std::function<std::optional<int>(WriteStep)>; // errno to fail with
void setWriteFaultHookForTesting(WriteFaultHook hook);

} // namespace XQTestDev
