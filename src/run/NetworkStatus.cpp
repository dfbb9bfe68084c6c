#include "run/NetworkStatus.h"

#include <QFileInfo>

namespace XQTestDev {

DriveCheck checkNetworkDrive(const QString& configuredFolder) {
    const QString folder = configuredFolder.trimmed();
    if (folder.isEmpty())
        return DriveCheck::NotChecked;
    return QFileInfo(folder).isDir() ? DriveCheck::Available : DriveCheck::Failed;
}

void NetworkStatus::applyDriveCheck(DriveCheck check) {
    if (check != DriveCheck::NotChecked)
        driveFailed_ = check == DriveCheck::Failed;
}

StatusShown NetworkStatus::next(bool databaseFailed) {
    blinkOn_ = !blinkOn_;
    if (!databaseFailed && !driveFailed_)
        return {StatusPicture::AllOK, true};
    if (databaseFailed && driveFailed_)
        return {StatusPicture::AllFailed, blinkOn_};
    return {databaseFailed ? StatusPicture::SQLFailed : StatusPicture::NWDriveFailed, blinkOn_};
}

} // namespace XQTestDev
