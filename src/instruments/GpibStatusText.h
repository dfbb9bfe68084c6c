#pragma once

#include <QString>

namespace XQTestDev {

// The texts of a failed driver call: one for each status bit that is set and
// one for the error code, in a fixed order ("Error detected; Timeout; ...").
// Empty when the error bit is clear.
QString gpibStatusText(quint16 statusWord, int errorCode);

// "GPIB Error: " & device & " " & texts & "!"
QString gpibErrorMessage(const QString& deviceName, const QString& statusText);

} // namespace XQTestDev
