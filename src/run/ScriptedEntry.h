#pragma once

#include "run/RunData.h"
#include "run/UserEntryRules.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace XQTestDev {

// A user entry made by a program (an automated cell) instead of an operator:
// the same fields, judged by the window's rules.
struct ScriptedEntry {
    QString operatorId;
    QString product; // empty: the product the window would preselect
    QString model;   // empty with one fixed model: that model
    QString revision;
    QString testId; // empty: the station's TestIDDefault
    QString serialNumber;
    QString workOrder;
    QStringList remarks; // one per remark caption of the product, in order
};

// What the window would hold had the operator typed `entry`: the product's
// lists decide which boxes are required or fixed. A product the station does
// not offer, or a model or revision other than the one fixed by the product,
// is refused with its message shown, as no window could hold it.
std::optional<EntryRefusal> entryInputOf(const ScriptedEntry& entry, const RunData& run,
                                         EntryInput& input);

// The whole OK of the window for `entry`: refused with the window's message,
// or accepted into `run` with a fresh results section.
std::optional<EntryRefusal> acceptScriptedEntry(const ScriptedEntry& entry, RunData& run);

} // namespace XQTestDev
