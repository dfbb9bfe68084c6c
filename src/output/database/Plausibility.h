#pragma once

#include <XQTestDev/Enums.h>

#include <QDateTime>
#include <QString>

namespace XQTestDev {

struct RunInputs;

// What the first plausibility check that applies asks for: a warning to show,
// or a run time to repair. Later checks are not made; the write goes on.
struct PlausibilityFinding {
    enum class Action { None, Warn, RepairStart, RepairEnd };
    Action action = Action::None;
    QString warning;
};

PlausibilityFinding firstPlausibilityFinding(const RunInputs& in, DBType type);

// Makes the checks and acts on the first that applies: shows its warning, or
// sets the time that is no date to `now` in the results file's form and writes
// it back as StartTestTime or EndTestTime.
void checkPlausibility(RunInputs& in, DBType type, const QDateTime& now);

} // namespace XQTestDev
