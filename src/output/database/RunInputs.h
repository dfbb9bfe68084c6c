#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace XQTestDev {

// Everything a database write reads from ATE.INI, PRODUCTS.INI and the run's
// section of the results file, read once at the start of the write.
struct RunInputs {
    QString product;
    QString softwareVersion;
    // ATE.INI
    QString serverName;
    QString userName;
    QString databaseName; // the argument, or ATE.INI's when the argument is empty
    QString password;
    QString ateId;
    QString ateIniVersion;
    // PRODUCTS.INI
    QString tableName;
    QString customerPN;
    QString localPN;
    QString localAssyPN;
    QString productIniVersion;
    // the results section
    QString testId;
    QString serialNumber;
    QString workOrder;
    QString startTime;
    QString endTime;
    QString operatorId;
    QString verdict;
    QString model;
    QString revision;
    std::array<QString, 4> remarks;
    // Test lines from key 1 up to the first empty key: the test lines of the
    // product and the results file's value under each of their numbers.
    QStringList specLines;
    QStringList resultLines;
};

// Reads the inputs of one write. A missing ATE.INI or PRODUCTS.INI is named
// once in a message; its values read as empty.
RunInputs readRunInputs(const QString& product, const QString& softwareVersion,
                        const QString& databaseName);

// "<product> Test Results"
QString databaseResultsSection(const QString& product);

} // namespace XQTestDev
