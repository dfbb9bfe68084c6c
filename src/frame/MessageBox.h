#pragma once

#include <XQTestDev/Messages.h>

namespace XQTestDev {

// Shows one of the library's fixed messages through the installed handler (a
// real modal QMessageBox by default) and returns the pressed button's code.
int showMessage(const QString& text, MessageIcon icon, MessageButtons buttons = MessageButtons::OK);

inline int showCritical(const QString& text) {
    return showMessage(text, MessageIcon::Critical);
}
inline int showExclamation(const QString& text) {
    return showMessage(text, MessageIcon::Exclamation);
}

} // namespace XQTestDev
