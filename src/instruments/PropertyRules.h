#pragma once

#include <QVariant>

namespace XQTestDev {

// How the instrument's properties take the values a station program passes.
// A value is a number when it holds one or is text that reads wholly as one;
// an empty variant counts as the number 0.
bool isNumberValue(const QVariant& value);
double numberOf(const QVariant& value); // 0 for anything that is no number
bool isEmptyOrZero(const QVariant& value);

int timeoutCodeRule(const QVariant& value);     // no number, or 0: T10s
int panelPositionRule(const QVariant& value);   // no number: Center
QVariant coordinateRule(const QVariant& value); // no number: 0
int readIntervalRule(const QVariant& value);    // 0, or 100 to 65535 ms
double waitRule(const QVariant& value);         // seconds, never negative

} // namespace XQTestDev
