#pragma once

#include "config/DurableFile.h"

#include <QByteArray>
#include <QString>

namespace XQTestDev {

// Where the last report lives: "XQ_Report.txt" in the results folder, spelled
// exactly so; whoever opens the last report uses this path.
QString reportFilePath();

// The PDF that stands in for the printer on a station without one.
QString reportPdfPath();

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
