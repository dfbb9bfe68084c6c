#pragma once

#include <QString>

// The fixed texts that the database writer shows the operator, word for word.
namespace XQTestDev::DatabaseMessages {

inline QString invalidDatabaseType() {
    return QStringLiteral("Invalid database type!, there will be either 'Access' or 'MSSQL'.");
}
inline QString missingProductName() {
    return QStringLiteral("Missing Test Product Name!, Test data can't write to database!");
}
inline QString missingUserName() {
    return QStringLiteral("Missing user name in ATE.INI!");
}
inline QString missingDatabaseName() {
    return QStringLiteral("Missing database name in ATE.INI!");
}
inline QString missingServerName() {
    return QStringLiteral("Missing server name in ATE.INI!");
}
inline QString missingAteId() {
    return QStringLiteral("Missing ATE ID in ATE.INI!");
}
inline QString missingVerdict() {
    return QStringLiteral("Missing Overall Pass/Fail!");
}
inline QString missingSerialNumber() {
    return QStringLiteral("Missing serial number!");
}
inline QString missingSoftwareVersion() {
    return QStringLiteral("Missing software version number!");
}
inline QString missingAteIniVersion() {
    return QStringLiteral("Missing ATE INI version!");
}
inline QString missingProductIniVersion() {
    return QStringLiteral("Missing Products INI Version!");
}
inline QString specLineIncomplete(int line) {
    return QStringLiteral("Database Info. in INI is not completed or missing at line #%1!")
        .arg(line);
}
inline QString resultLineIncomplete(int line) {
    return QStringLiteral("Test Results Info. in INI is not complete or missing at line #%1!")
        .arg(line);
}
// Shown with the critical icon; the text ends with a blank.
inline QString missingTableName() {
    return QStringLiteral("Missing table name in PRODUCTS.INI!, please stop the test process and "
                          "inform Test Engineer immediately. ");
}
// Shown with the critical icon; the statement is lost.
inline QString backupNotSaved(const QString& error) {
    return error + QStringLiteral("!, Unable to save a SQL file!");
}

} // namespace XQTestDev::DatabaseMessages
