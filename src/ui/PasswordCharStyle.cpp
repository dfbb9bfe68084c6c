#include "ui/PasswordCharStyle.h"

namespace XQTestDev {

PasswordCharStyle::PasswordCharStyle(char32_t maskCharacter) : maskCharacter_(maskCharacter) {}

int PasswordCharStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    if (hint == SH_LineEdit_PasswordCharacter)
        return static_cast<int>(maskCharacter_);
    // Every character is masked at once, never shown for a moment first.
    if (hint == SH_LineEdit_PasswordMaskDelay)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace XQTestDev
