#pragma once

#include <QStringView>

namespace XQTestDev {

// A text that reads wholly as a number: optional blanks, an optional sign,
// digits with "." as the decimal point, an optional exponent. No thousands
// separators, hexadecimal, "inf" or "nan".
bool isNumericText(QStringView text);

// The number at the start of the text ("5.25 V" gives 5.25; no number gives 0).
// Values beyond the range of a double become plus or minus infinity.
double leadingNumber(QStringView text);

} // namespace XQTestDev
