#pragma once

#include <XQTestDev/Enums.h>

#include <QString>

namespace XQTestDev {

// Stores the run of one product as one row and then the product's waiting
// backup statements; a row that cannot be stored is saved as a backup
// statement. Empty arguments take the run's product and software version and
// ATE.INI's database name.
void writeDatabase(const QString& productName, const QString& softwareVersion, DBType type,
                   const QString& databaseName);

} // namespace XQTestDev
