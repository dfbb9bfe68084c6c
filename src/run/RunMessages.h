#pragma once

#include <QString>

// The fixed texts that the test menu shows the operator, word for word.
namespace XQTestDev::RunMessages {

inline QString tooManyRows(int rowLimit) {
    return QStringLiteral("Test description number is exceed than %1!").arg(rowLimit + 1);
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
