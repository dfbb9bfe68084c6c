#pragma once

#include "config/IniDocument.h"
#include "frame/DurableFile.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace XQTestDev {

// What identifies one version of a file on disk. Our own writes replace the
// file (new inode), and another program's edit changes time or size.
struct FileStamp {
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    qint64 size = 0;
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const FileStamp&) const = default;
};

// The process's parsed INI files. Every access checks the file's stamp, so an
// edit by another program is seen at the next call while an unchanged file is
// never parsed twice.
class IniStore {
public:
    static IniStore& instance();

    // The parsed file, or nullptr when it is missing, not a regular file or
    // unreadable. Valid until the next call into the store. A file that is no
    // text (binary) reads as empty, and the operator is told so once per
    // operation.
    const IniDocument* document(const QString& path);

    // Applies the edits to the file (created when missing) in one durable
    // write. Other processes that write through this store wait for it from
    // the read to the rename, so no update of theirs is lost. A file that is
    // no text is left as it is.
    WriteResult apply(const QString& path, const std::vector<IniDocument::Edit>& edits);

    void clear() { cache_.clear(); }

private:
    struct Entry {
        QByteArray encodedPath;
        FileStamp stamp;
        IniDocument document;
    };
    Entry* load(const QString& path);

    QHash<QString, Entry> cache_;
};

// Collects the library's own multi-key writes to one file and commits them
// as one durable write.
class IniBatch {
public:
    explicit IniBatch(QString path) : path_(std::move(path)) {}
    void set(const QString& section, const QString& key, const QString& value) {
        edits_.push_back({section, key, value});
    }
    WriteResult commit() { return IniStore::instance().apply(path_, edits_); }
    bool isEmpty() const { return edits_.empty(); }

private:
    QString path_;
    std::vector<IniDocument::Edit> edits_;
};

} // namespace XQTestDev
