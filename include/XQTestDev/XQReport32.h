#pragma once

#include <XQTestDev/Export.h>

#include <QObject>
#include <QString>

#include <memory>

namespace XQTestDev {

class XQReport32Private;

// The printed test report of the current unit: the header block and every test
// line by print group, page by page, on the station's printer (or a PDF beside
// the report when the station has none) and in the text file XQ_Report.txt of
// the results folder.
class XQTESTDEV_EXPORT XQReport32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQReport32)

public:
    explicit XQReport32(QObject* parent = nullptr);
    ~XQReport32() override;

    // Prints the report. An empty SoftwareVersion prints the version that the
    // header menu read for the current run. Failures are shown to the operator.
    void PrintReport(const QString& SoftwareVersion = QString());

private:
    std::unique_ptr<XQReport32Private> d;
};

} // namespace XQTestDev
