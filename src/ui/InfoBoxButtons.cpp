#include "ui/InfoBoxButtons.h"

#include <XQTestDev/Enums.h>
#include <XQTestDev/Messages.h>

namespace XQTestDev {

namespace {

// Laid out as the table is read: button 2, button 1, button 0, focus.
InfoBoxButtonSet buttonSet(const char* button2, const char* button1, const char* button0,
                           int focusButton) {
    InfoBoxButtonSet set;
    set.buttons[2].caption = QString::fromLatin1(button2);
    set.buttons[1].caption = QString::fromLatin1(button1);
    set.buttons[0].caption = QString::fromLatin1(button0);
    set.focusButton = focusButton;
    return set;
}

} // namespace

std::optional<InfoBoxButtonSet> infoBoxButtonSet(int buttons) {
    switch (buttons) {
    case vbOKOnly:
        return buttonSet("", "OK", "", 1);
    case vbOKCancel:
        return buttonSet("OK", "", "Cancel", 2);
    case vbAbortRetryIgnore:
        return buttonSet("Abort", "Retry", "Ignore", 1);
    case vbYesNoCancel:
        return buttonSet("Yes", "No", "Cancel", 2);
    case vbYesNo:
        return buttonSet("Yes", "", "No", 2);
    case vbRetryCancel:
        return buttonSet("Retry", "", "Cancel", 2);
    default:
        return std::nullopt;
    }
}

InfoBoxButtonSet designedInfoBoxButtons() {
    return buttonSet("", "OK", "", 1);
}

std::optional<int> infoBoxResultForCaption(const QString& caption) {
    struct CaptionCode {
        const char* caption;
        int code;
    };
    static constexpr CaptionCode Codes[] = {
        {"OK", ResultOK},       {"Cancel", ResultCancel}, {"Abort", ResultAbort},
        {"Retry", ResultRetry}, {"Ignore", ResultIgnore}, {"Yes", ResultYes},
        {"No", ResultNo},
    };
    for (const CaptionCode& entry : Codes) {
        if (caption == QLatin1String(entry.caption))
            return entry.code;
    }
    return std::nullopt;
}

} // namespace XQTestDev
