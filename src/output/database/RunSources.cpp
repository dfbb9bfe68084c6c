#include "output/database/RunSources.h"

#include "config/StationFiles.h"
#include "run/RunSession.h"

namespace XQTestDev {

QString currentRunProduct() {
    return runModel().run.product;
}

QString currentRunSoftwareVersion() {
    if (!runModel().softwareVersion.isEmpty())
        return runModel().softwareVersion;
    return readStationValue(StationFile::Results, QStringLiteral("ATE Configuration"),
                            QStringLiteral("TestSoftwareVersion"));
}

} // namespace XQTestDev
