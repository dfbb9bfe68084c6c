#include "output/ReportFile.h"

#include <QFileInfo>

namespace XQTestDev {

WriteResult ReportTextFile::open() {
    contents_.clear();
    const QString folder = QFileInfo(path_).absolutePath();
    OwnedTemporaryFile probe(path_);
    if (!QFileInfo(folder).isDir() || !probe.open())
        return WriteResult::failure(QStringLiteral("Cannot create the report file %1: %2")
                                        .arg(path_, QFileInfo(folder).isDir()
                                                        ? probe.errorString()
                                                        : QStringLiteral("No such folder")));
    open_ = true;
    return {};
}

void ReportTextFile::append(const QString& line) {
    contents_ += line.toUtf8();
    contents_ += "\r\n";
}

WriteResult ReportTextFile::close() {
    if (!open_)
        return {};
    open_ = false;
    return writeFileDurably(path_, contents_);
}

} // namespace XQTestDev
