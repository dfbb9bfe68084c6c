#include "run/UserEntryRules.h"

#include <XQTestDev/XQUtility32.h>

#include "config/IntegrityCheck.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "run/EntryText.h"
#include "run/ResultsFile.h"

#include <algorithm>

namespace XQTestDev {

namespace {

EntryRefusal refusal(EntryField field, const char* message) {
    return {field, -1, QLatin1String(message)};
}

bool changesProduct(const EntryInput& input, const RunData& run) {
    return input.product != run.product;
}

// Judged and stored as it will be kept: a field of nothing but control
// characters is empty.
EntryInput cleaned(EntryInput input) {
    for (QString* text : {&input.model, &input.revision, &input.testId, &input.operatorId,
                          &input.serialNumber, &input.workOrder})
        *text = withoutControlCharacters(*text);
    for (QString& remark : input.remarks)
        remark = withoutControlCharacters(remark);
    return input;
}

} // namespace

std::optional<EntryRefusal> firstMissingField(const EntryInput& input) {
    if (input.operatorId.isEmpty())
        return refusal(EntryField::OperatorId, "Please be enter the Operator ID!");
    if (input.serialNumber.isEmpty())
        return refusal(EntryField::SerialNumber, "Please enter the serial number!");
    if (input.testId.isEmpty())
        return refusal(EntryField::TestId, "Please enter the test ID!");
    if (input.product.isEmpty())
        return refusal(EntryField::Product, "Please enter the test product!");
    if (input.modelRequired && input.model.isEmpty())
        return refusal(EntryField::Model, "Please enter the model!");
    if (input.revisionRequired && input.revision.isEmpty())
        return refusal(EntryField::Revision, "Please enter the revision!");
    const int rows = std::min<int>(input.remarkCaptions.size(), input.remarks.size());
    for (int row = 0; row < rows; ++row) {
        if (input.remarks[row].isEmpty())
            return EntryRefusal{EntryField::Remark, row,
                                QStringLiteral("Please enter the ") + input.remarkCaptions[row] +
                                    QStringLiteral("!")};
    }
    return std::nullopt;
}

std::optional<EntryRefusal> acceptEntry(const EntryInput& typed, RunData& run) {
    const EntryInput input = cleaned(typed);
    if (auto missing = firstMissingField(input)) {
        showExclamation(missing->message);
        return missing;
    }
    if (changesProduct(input, run) && !configurationReleasedForRun())
        return EntryRefusal{EntryField::OperatorId, -1, integrityRefusedMessage()};
    storeEntry(input, run);
    if (resetResults(run))
        writeRunHeader(run);
    return std::nullopt;
}

void storeEntry(const EntryInput& typed, RunData& run) {
    const EntryInput input = cleaned(typed);
    run.ateId =
        sharedUtility().ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"));
    run.operatorId = input.operatorId;
    run.serialNumber = input.serialNumber;
    run.workOrder = input.workOrder;
    run.testId = input.testId;
    run.model = input.model;
    run.revision = input.revision;
    run.product = input.product;
    run.entryCancelled = false;
    run.remarks = input.remarks;
}

} // namespace XQTestDev
