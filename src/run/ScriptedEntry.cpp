#include "run/ScriptedEntry.h"

#include "frame/MessageBox.h"
#include "run/HeaderMessages.h"
#include "run/UserEntryChoices.h"

namespace XQTestDev {

namespace {

EntryRefusal refused(EntryField field, const QString& message) {
    showExclamation(message);
    return {field, -1, message};
}

// As the window preselects it: the run's product, else the station's
// default, else the first offered.
QString preselectedProduct(const StationEntryLists& lists, const RunData& run) {
    for (const QString& candidate : {run.product, lists.productDefault}) {
        if (!candidate.isEmpty() && lists.products.contains(candidate))
            return candidate;
    }
    return lists.products.value(0);
}

// A box with one item shows it fixed; with more the typed text counts (it is
// required); with none it stays empty.
std::optional<QString> choiceOf(const QStringList& items, const QString& given) {
    if (items.size() == 1)
        return given.isEmpty() || given == items.front() ? std::optional(items.front())
                                                         : std::nullopt;
    if (items.isEmpty())
        return given.isEmpty() ? std::optional(QString()) : std::nullopt;
    return given;
}

QString notOffered(const QString& what, const QString& given, const QString& product) {
    return QStringLiteral("%1 \"%2\" is not offered for %3.").arg(what, given, product);
}

} // namespace

std::optional<EntryRefusal> entryInputOf(const ScriptedEntry& entry, const RunData& run,
                                         EntryInput& input) {
    const StationEntryLists station = readStationEntryLists();
    input = EntryInput{};
    if (!station.products.isEmpty()) {
        input.product = entry.product.isEmpty() ? preselectedProduct(station, run) : entry.product;
        if (!station.products.contains(input.product))
            return refused(EntryField::Product, HeaderMessages::productNotFound());
    }
    const ProductEntryLists lists = readProductEntryLists(input.product);
    const std::optional<QString> model = choiceOf(lists.models, entry.model);
    if (!model)
        return refused(EntryField::Model,
                       notOffered(QStringLiteral("Model"), entry.model, input.product));
    const std::optional<QString> revision = choiceOf(lists.revisions, entry.revision);
    if (!revision)
        return refused(EntryField::Revision,
                       notOffered(QStringLiteral("Revision"), entry.revision, input.product));
    input.model = *model;
    input.revision = *revision;
    input.modelRequired = lists.models.size() > 1;
    input.revisionRequired = lists.revisions.size() > 1;
    input.testId = entry.testId.isEmpty() ? station.testIdDefault : entry.testId;
    input.operatorId = entry.operatorId;
    input.serialNumber = entry.serialNumber;
    input.workOrder = entry.workOrder;
    input.remarkCaptions = lists.remarkCaptions;
    for (int row = 0; row < MaxRemarkRows && row < entry.remarks.size(); ++row)
        input.remarks[static_cast<std::size_t>(row)] = entry.remarks[row];
    return std::nullopt;
}

std::optional<EntryRefusal> acceptScriptedEntry(const ScriptedEntry& entry, RunData& run) {
    EntryInput input;
    if (auto refusal = entryInputOf(entry, run, input))
        return refusal;
    return acceptEntry(input, run);
}

} // namespace XQTestDev
