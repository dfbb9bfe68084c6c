#pragma once

#include <QString>

// The fixed texts that the test run shows the operator, word for word.
namespace XQTestDev::RunMessages {

inline QString specNotCompleted(int line) {
    return QStringLiteral("Specification Info. in INI is not completed or missing at line #%1!")
        .arg(line);
}
inline QString specNotComplete(int line) {
    return QStringLiteral("Specification Info. in INI is not complete or missing at line #%1!")
        .arg(line);
}
inline QString specError(int line) {
    return QStringLiteral("Warning! spec. error detected at line #%1").arg(line);
}
inline QString tooManyRows(int rowLimit) {
    return QStringLiteral("Test description number is exceed than %1!").arg(rowLimit + 1);
}
inline QString endTagNotFound() {
    return QStringLiteral("There is not found the End Of Test <EOT> tag!");
}
inline QString endTagNotReached() {
    return QStringLiteral("Can't reach to End Of Test <EOT> record!");
}
inline QString missingProductName() {
    return QStringLiteral("Not found or missing product name property!");
}
inline QString specLineMissing(const QString& product, int line) {
    return QStringLiteral("Not found information for section name [") + product +
           QStringLiteral(" Spec]! Line#") + QString::number(line);
}
inline QString missingGroupName() {
    return QStringLiteral("Missing group name!");
}
inline QString invalidGroupName() {
    return QStringLiteral("Invalid group name!");
}
inline QString groupStartQuestion(const QString& group) {
    return QStringLiteral("\n\n\n\nWould you like to start group test of ") + group +
           QStringLiteral("?.");
}

} // namespace XQTestDev::RunMessages
