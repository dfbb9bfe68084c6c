// XQMenu32::ShowUserEntry: the operator states who tests which unit.

#include <XQTestDev/XQMenu32.h>

#include "frame/Unattended.h"
#include "run/RunSession.h"
#include "run/ScriptedEntry.h"
#include "run/UserEntryDialog.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

bool XQMenu32::ShowUserEntry() {
    UserEntryDialog entry(d->snapshot.serialNumber);
    // Nobody can fill it in: EnterUser is the entry of an unattended run.
    if (execUnlessUnattended(entry, QStringLiteral("User entry")) != QDialog::Accepted) {
        runModel().standing.active = false;
        return false;
    }
    d->snapshot = RunSnapshot::of(runModel().run);
    ClearResults();
    return true;
}

bool XQMenu32::EnterUser(const QString& OperatorID, const QString& TestProduct,
                         const QString& Model, const QString& Revision, const QString& TestID,
                         const QString& SerialNumber, const QString& WorkOrderLotNumber,
                         const QStringList& Remarks) {
    const ScriptedEntry entry{OperatorID,   TestProduct,        Model,  Revision, TestID,
                              SerialNumber, WorkOrderLotNumber, Remarks};
    if (acceptScriptedEntry(entry, runModel().run))
        return false;
    // What the window's first showing settles: from now on an entry may be
    // cancelled.
    runSession().userEntryOpened = true;
    d->snapshot = RunSnapshot::of(runModel().run);
    ClearResults();
    return true;
}

} // namespace XQTestDev
