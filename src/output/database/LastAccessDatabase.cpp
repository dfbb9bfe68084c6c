#include "output/database/LastAccessDatabase.h"

#include "config/StationFiles.h"
#include "output/database/RunInputs.h"

namespace XQTestDev {

void writeLastAccessDatabase(const QString& product, DatabaseAccess outcome) {
    writeStationValue(
        StationFile::Results, databaseResultsSection(product), QStringLiteral("LastAccessDatabase"),
        outcome == DatabaseAccess::Pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
}

QString readLastAccessDatabase(const QString& product) {
    return readStationValue(StationFile::Results, databaseResultsSection(product),
                            QStringLiteral("LastAccessDatabase"));
}

} // namespace XQTestDev
