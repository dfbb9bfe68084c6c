#include "instruments/PropertyRules.h"

#include "frame/NumberText.h"

#include <XQTestDev/Enums.h>

#include <cmath>

namespace XQTestDev {

namespace {

constexpr int DefaultReadInterval = 250;
constexpr int ShortestReadInterval = 100;
constexpr int LongestReadInterval = 65535;

bool isTextValue(const QVariant& value) {
    const int type = value.metaType().id();
    return type == QMetaType::QString || type == QMetaType::QByteArray || type == QMetaType::QChar;
}

} // namespace

bool isNumberValue(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return true;
    if (isTextValue(value))
        return isNumericText(value.toString()) && std::isfinite(leadingNumber(value.toString()));
    bool converted = false;
    const double number = value.toDouble(&converted);
    return converted && std::isfinite(number);
}

double numberOf(const QVariant& value) {
    if (!value.isValid() || value.isNull() || !isNumberValue(value))
        return 0.0;
    if (isTextValue(value))
        return leadingNumber(value.toString());
    return value.toDouble();
}

bool isEmptyOrZero(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return true;
    if (isTextValue(value) && value.toString().isEmpty())
        return true;
    return isNumberValue(value) && numberOf(value) == 0.0;
}

int timeoutCodeRule(const QVariant& value) {
    if (!isNumberValue(value))
        return T10s;
    const double number = numberOf(value);
    if (number == 0.0 || std::fabs(number) > 1e9)
        return T10s;
    return static_cast<int>(std::lround(number));
}

int panelPositionRule(const QVariant& value) {
    if (!isNumberValue(value))
        return Center;
    const double number = numberOf(value);
    return std::fabs(number) > 1e9 ? 0 : static_cast<int>(std::lround(number));
}

QVariant coordinateRule(const QVariant& value) {
    if (!value.isValid() || value.isNull() || !isNumberValue(value))
        return QVariant(0);
    return value;
}

int readIntervalRule(const QVariant& value) {
    if (!isNumberValue(value))
        return DefaultReadInterval;
    const double number = std::round(numberOf(value));
    if (number <= 0)
        return 0;
    if (number < ShortestReadInterval)
        return ShortestReadInterval;
    if (number > LongestReadInterval)
        return LongestReadInterval;
    return static_cast<int>(number);
}

double waitRule(const QVariant& value) {
    if (!isNumberValue(value))
        return 0.0;
    const double seconds = numberOf(value);
    return seconds < 0 ? 0.0 : seconds;
}

} // namespace XQTestDev
