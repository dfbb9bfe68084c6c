// The admin password of XQUtility32.

#include <XQTestDev/XQUtility32.h>

#include "frame/LibraryState.h"
#include "frame/MessageBox.h"

namespace XQTestDev {

namespace {

constexpr int MinimumPasswordLength = 5;

} // namespace

QString XQUtility32::AdminPassword() const {
    return library().adminPassword;
}

// Kept in memory only: the station program sets it at every start.
void XQUtility32::setAdminPassword(const QString& password) {
    if (password.size() < MinimumPasswordLength) {
        showCritical(QStringLiteral("Invalid or blank admin password property, minimum characters "
                                    "5 (alphanumeric)!."));
        return;
    }
    library().adminPassword = password;
}

} // namespace XQTestDev
