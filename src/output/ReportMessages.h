#pragma once

#include <QString>

// The fixed texts that the report shows the operator, word for word.
namespace XQTestDev::ReportMessages {

inline QString missingProduct() {
    return QStringLiteral("Not found or missing product name!");
}
inline QString noDataToPrint() {
    return QStringLiteral("There is no data to print!.");
}
inline QString descriptionTooLong(int line) {
    return QStringLiteral("Test description at line #%1 is too long (maximum = 37) some of that "
                          "will be clip!.")
        .arg(line);
}
// An error before the first line is printed, with the count of remark values
// read so far.
inline QString preparationFailed(const QString& error, int remarkValuesRead) {
    return error + QStringLiteral("(INI line #") + QString::number(remarkValuesRead) +
           QStringLiteral(")! ");
}
// An error while a page header prints (asked with Retry and Cancel), or a
// printer that gives up later in the report.
inline QString printingFailed(const QString& error) {
    return error + QLatin1Char('!');
}

} // namespace XQTestDev::ReportMessages
