#pragma once

#include "run/RunData.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace XQTestDev {

// The fields of the user entry whose emptiness stops an OK.
enum class EntryField { OperatorId, SerialNumber, TestId, Product, Model, Revision, Remark };

// What the user entry window holds when OK is pressed.
struct EntryInput {
    QString product;
    QString model;
    QString revision;
    QString testId;
    QString operatorId;
    QString serialNumber;
    QString workOrder;
    bool modelRequired = false;    // the model box is enabled
    bool revisionRequired = false; // the revision box is enabled
    QStringList remarkCaptions;    // one per remark row in use
    std::array<QString, 4> remarks;
};

// Why an OK was refused: the message already shown and the field that gets
// the focus.
struct EntryRefusal {
    EntryField field = EntryField::OperatorId;
    int remarkRow = -1; // for EntryField::Remark
    QString message;
};

// The first required field that is empty, in the order the operator is told
// about them; nothing when all are filled. Shows nothing.
std::optional<EntryRefusal> firstMissingField(const EntryInput& input);

// The whole OK: the required fields, then (with an admin password set and a
// new product) the configuration integrity check, then the run data are
// stored and the results file gets a fresh section with its run header. A
// refusal's message is shown here; the entry is accepted when nothing is
// returned.
std::optional<EntryRefusal> acceptEntry(const EntryInput& input, RunData& run);

// Stores an accepted entry into the run data: the station's ATE ID from
// ATE.INI and every field, typed texts without control characters.
void storeEntry(const EntryInput& input, RunData& run);

} // namespace XQTestDev
