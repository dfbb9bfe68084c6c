#include "output/database/RunSources.h"

#include "config/StationFiles.h"
#include "frame/LibraryState.h"

namespace XQTestDev {

QString currentRunProduct() {
    return library().run.product;
}

QString currentRunSoftwareVersion() {
    if (!library().runSoftwareVersion.isEmpty())
        return library().runSoftwareVersion;
    return readStationValue(StationFile::Results, QStringLiteral("ATE Configuration"),
                            QStringLiteral("TestSoftwareVersion"));
}

} // namespace XQTestDev
