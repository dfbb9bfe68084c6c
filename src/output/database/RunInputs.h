#pragma once

#include "frame/RunRecord.h"

#include <QString>
#include <QStringList>

#include <array>

namespace XQTestDev {

// Everything a database write stores: the station's and the product's
// configuration from ATE.INI and PRODUCTS.INI, read once at the start of the
// write, and the run as its record holds it, each text cut where the profile
// reader cuts it.
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
    // the run, as the results file holds it
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
    // product and the run's recorded text under each of their numbers.
    QStringList specLines;
    QStringList resultLines;
};

// The inputs of one write of `run`. A missing ATE.INI or PRODUCTS.INI is named
// once in a message; its values read as empty.
RunInputs readRunInputs(const RunRecord& run, const QString& softwareVersion,
                        const QString& databaseName);

} // namespace XQTestDev
