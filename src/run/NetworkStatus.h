#pragma once

#include <QString>

namespace XQTestDev {

// The station's network drive as ATE.INI's CheckNetworkDrive names it.
enum class DriveCheck {
    NotChecked, // no folder named: the drive keeps the state it had
    Available,  // the named folder exists
    Failed,     // missing, a file, or not reachable
};
DriveCheck checkNetworkDrive(const QString& configuredFolder);

// The header's status picture for the drive and the database.
enum class StatusPicture { Unknown, AllOK, SQLFailed, NWDriveFailed, AllFailed };

struct StatusShown {
    StatusPicture picture = StatusPicture::Unknown;
    bool visible = true; // a failure picture blinks: hidden on every other refresh
};

// The drive is tested at the first refresh and then at every 451st, as the
// test may hang on a lost network share; the database state is read at every
// refresh. Before the first refresh the status is unknown; the drive counts as
// available until a test finds it failed.
class NetworkStatus {
public:
    static constexpr int DriveTestEvery = 451;

    // `driveFolder` is asked for only when the drive is tested now.
    template <typename ReadFolder>
    StatusShown refresh(ReadFolder driveFolder, bool databaseFailed) {
        if (tick_ == 0)
            applyDriveCheck(checkNetworkDrive(driveFolder()));
        tick_ = (tick_ + 1) % DriveTestEvery;
        return next(databaseFailed);
    }

    bool driveFailed() const { return driveFailed_; }

private:
    void applyDriveCheck(DriveCheck check);
    StatusShown next(bool databaseFailed);

    int tick_ = 0;
    bool driveFailed_ = false;
    bool blinkOn_ = false;
};

} // namespace XQTestDev
