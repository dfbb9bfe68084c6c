#include <XQTestDev/XQSQL32.h>

#include "frame/LibraryState.h"
#include "output/database/DatabaseWrite.h"

namespace XQTestDev {

// A write is one call: each makes and releases its own connection.
class XQSQL32Private {};

XQSQL32::XQSQL32(QObject* parent) : QObject(parent), d(std::make_unique<XQSQL32Private>()) {
    ensureLibraryStarted();
}

XQSQL32::~XQSQL32() = default;

void XQSQL32::WriteDatabase(const QString& ProductName, const QString& SoftwareVersion,
                            DBType DatabaseType, const QString& DatabaseName) {
    writeDatabase(ProductName, SoftwareVersion, DatabaseType, DatabaseName);
}

} // namespace XQTestDev
