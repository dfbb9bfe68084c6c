#pragma once

#include <QString>

namespace XQTestDev {

// Offers to replace ATE.INI and PRODUCTS.INI by newer copies found in
// `newDirectory`, keeping each replaced file as a numbered backup.
void updateStationFiles(const QString& newDirectory);

// The first free backup name "<prefix>NNN.INI" (001..999) in `directory`,
// compared without regard to case; empty when all are taken.
QString firstFreeBackupName(const QString& directory, const QString& prefix);

} // namespace XQTestDev
