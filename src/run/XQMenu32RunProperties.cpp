// The run properties of XQMenu32: the data of the object's last accepted user
// entry, and the station's ATE ID.

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "run/EntryText.h"
#include "run/ResultsFile.h"
#include "run/RunSession.h"
#include "run/XQMenu32Private.h"

namespace XQTestDev {

QString XQMenu32::Model() const {
    return d->snapshot.model;
}
QString XQMenu32::Revision() const {
    return d->snapshot.revision;
}
QString XQMenu32::TestProduct() const {
    return d->snapshot.product;
}
QDateTime XQMenu32::StartTime() const {
    return d->snapshot.startTime;
}
QString XQMenu32::OperatorID() const {
    return d->snapshot.operatorId;
}
QString XQMenu32::TestID() const {
    return d->snapshot.testId;
}
QString XQMenu32::SerialNumber() const {
    return d->snapshot.serialNumber;
}
QString XQMenu32::WorkOrderLotNumber() const {
    return d->snapshot.workOrder;
}

QString XQMenu32::ATEID() const {
    RunData& run = runModel().run;
    run.ateId =
        sharedUtility().ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"));
    return run.ateId;
}

// The results file gets it at once; the header shows it at its next tick.
// Control characters are removed as from a typed serial number: they would
// break the results file's line.
void XQMenu32::setSerialNumber(const QString& serialNumber) {
    const QString kept = withoutControlCharacters(serialNumber);
    d->snapshot.serialNumber = kept;
    RunData& run = runModel().run;
    run.serialNumber = kept;
    // Without a product there is no results section to write to.
    if (run.product.isEmpty())
        return;
    reportWrite(writeSerialNumber(run.product, kept));
}

} // namespace XQTestDev
