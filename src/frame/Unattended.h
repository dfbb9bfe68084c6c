#pragma once

#include <XQTestDev/Unattended.h>

#include <QString>

class QDialog;

namespace XQTestDev {

// The library's side of unattended runs (see the public header): who
// answers a window nobody can see, and the end of every wait on Ctrl-C.

// The installed prompt handler; empty when none.
const PromptHandler& promptHandler();

// Says on standard error what the library answered for a window that nobody
// could see or that an interruption closed.
void sayAnsweredUnattended(const QString& window, const QString& text, const QString& answer);

// Runs a modal window whose only answer is closing it. Not shown (said on
// standard error) when nobody can see it or the waits are interrupted.
// Returns the dialog's result, QDialog::Rejected when it was not shown.
int execUnlessUnattended(QDialog& window, const QString& what);

// Ready to close the open dialogs on an interruption; called before a wait
// (cheap once done).
void armInterruptions();

} // namespace XQTestDev
