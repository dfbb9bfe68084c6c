#pragma once

#include <QString>

// The fixed texts of the header menu, the run control and the test-line queries,
// word for word.
namespace XQTestDev::HeaderMessages {

inline QString missingGroupName() {
    return QStringLiteral("Missing group name!");
}
inline QString productNeverChosen() {
    return QStringLiteral("Missing product name!, Please at least one time do selected the "
                          "product from user entry form!.");
}
inline QString specLineIncomplete(int line) {
    return QStringLiteral("Specification Info. in INI is not completed or missing at line#%1!")
        .arg(line);
}
inline QString endTagNotReached(const QString& group, const QString& parameter) {
    return QStringLiteral("Can't reach to End Of Test <EOT> record!, Group name ") + group +
           QStringLiteral(" and ") + parameter + QStringLiteral("!.");
}
inline QString productNotFound() {
    return QStringLiteral("Not found product name!.");
}
inline QString exitQuestion() {
    return QStringLiteral("\n\n\n\nWould you like terminate from test program?.");
}
inline QString abortQuestion() {
    return QStringLiteral("\n\n\n\nWould you like abort the testing?.");
}
inline QString printQuestion() {
    return QStringLiteral(
        "\n\n\n\nThis report may not complete results, would you like to print anyway?.");
}
inline QString printedManually() {
    return QStringLiteral("THIS REPORT WAS PRINTED MANUALLY");
}

} // namespace XQTestDev::HeaderMessages
