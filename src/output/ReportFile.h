#pragma once

#include "config/StationFiles.h"
#include "frame/DurableFile.h"

#include <QByteArray>
#include <QString>

namespace XQTestDev {

// The report's text file. Lines are collected as they are printed and the file
// is replaced in one durable write when the report ends or stops, so a crash
// never leaves half a report under the report's name.
class ReportTextFile {
public:
    explicit ReportTextFile(QString path) : path_(std::move(path)) {}

    // Makes sure a file can be created in the report's folder now; the error
    // names the file and the reason.
    WriteResult open();

    // One text line ended by CR LF.
    void append(const QString& line);

    // Writes what was collected; later calls do nothing.
    WriteResult close();

    bool isOpen() const { return open_; }
    const QByteArray& contents() const { return contents_; }

private:
    QString path_;
    QByteArray contents_;
    bool open_ = false;
};

} // namespace XQTestDev
