#pragma once

#include <QProxyStyle>

namespace XQTestDev {

// Masks a password line edit with a chosen character instead of the style's
// own bullet. Set on one line edit only; the rest of the style is unchanged.
class PasswordCharStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit PasswordCharStyle(char32_t maskCharacter);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    char32_t maskCharacter_;
};

} // namespace XQTestDev
