#include "output/database/LastAccessDatabase.h"

#include "config/ResultsFileCodec.h"

namespace XQTestDev {

// A results file that holds the outcome already is not written again: that
// saves a durable write per stored row, which costs as much as the row itself.
void writeLastAccessDatabase(const QString& product, DatabaseAccess outcome) {
    const QString value =
        outcome == DatabaseAccess::Pass ? QStringLiteral("PASS") : QStringLiteral("FAIL");
    if (readLastAccessDatabase(product) == value)
        return;
    writeLastAccessDatabase(product, value);
}

} // namespace XQTestDev
