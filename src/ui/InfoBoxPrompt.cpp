// The InfoBox answers the library's own questions to the operator.

#include "frame/LibraryState.h"
#include "frame/OperatorPrompt.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/XQUtility32.h>

#include <QVariant>

namespace XQTestDev {

namespace {

class InfoBoxPrompt : public OperatorPrompt {
public:
    bool askPassword(const QString& message, QString& typed) override {
        QVariant text = typed;
        const int pressed = sharedUtility().InfoBox(message, vbOKCancel, true, &text, false, Center,
                                                    false, QStringLiteral("*"));
        typed = text.toString();
        // Only OK submits; Cancel, or a dialog closed by other means, does not.
        return pressed == ResultOK;
    }

    bool confirm(const QString& question) override {
        return sharedUtility().InfoBox(question, vbOKCancel, false, nullptr, false, Center,
                                       false) == ResultOK;
    }
};

// Installed when the library loads, before any station code runs.
[[maybe_unused]] const bool installed = [] {
    static InfoBoxPrompt prompt;
    setDefaultOperatorPrompt(&prompt);
    return true;
}();

} // namespace

} // namespace XQTestDev
