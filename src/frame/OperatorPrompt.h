#pragma once

#include <QString>

namespace XQTestDev {

// Questions that the library's own code puts to the operator and that need an
// answer typed or chosen, beside the message seam (MessageBox.h) for its fixed
// messages. On a station the InfoBox answers them (ui/InfoBoxPrompt.cpp); tests
// of a decision install a scripted prompt.
class OperatorPrompt {
public:
    virtual ~OperatorPrompt() = default;

    // Shows `message` with a hidden input box holding `typed`; `typed` receives
    // what the operator typed. True only when it was submitted with OK.
    virtual bool askPassword(const QString& message, QString& typed) = 0;

    // An OK / Cancel question; true for OK.
    virtual bool confirm(const QString& question) = 0;
};

// The installed prompt, else the InfoBox.
OperatorPrompt& operatorPrompt();

// Installs a prompt (not owned) in place of the InfoBox; nullptr puts the
// InfoBox back.
void setOperatorPrompt(OperatorPrompt* prompt);

// Called once by the InfoBox's implementation when the library loads.
void setDefaultOperatorPrompt(OperatorPrompt* prompt);

} // namespace XQTestDev
