// XQMenu32::ShowUserEntry: the operator states who tests which unit.

#include <XQTestDev/XQMenu32.h>

#include "run/RunSession.h"
#include "run/UserEntryDialog.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

bool XQMenu32::ShowUserEntry() {
    UserEntryDialog entry(d->snapshot.serialNumber);
    if (entry.exec() != QDialog::Accepted) {
        runModel().standing.active = false;
        return false;
    }
    d->snapshot = RunSnapshot::of(runModel().run);
    ClearResults();
    return true;
}

} // namespace XQTestDev
