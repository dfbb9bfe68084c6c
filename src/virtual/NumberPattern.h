#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace XQTestDev {

// The number of decimals a readout is given, as the station program passed
// it. No count (std::nullopt) when the value cannot give one: negative, or
// not a number at all; such a readout keeps its decimal point and shows no
// decimals. Counts above MostDecimals are shown with MostDecimals: a double
// carries no more digits than that, and a count of two billion would build a
// string of two billion zeros.
inline constexpr int MostDecimals = 30;
std::optional<int> decimalsFrom(const QVariant& decimalPoint);
std::optional<int> decimalsFrom(int decimalPoint);

// The value written with the pattern "#,##0" (decimals 0), "#,##0.00" (2,
// and so on) or "#,##0." (no count): thousands separated by ",", "." as the
// decimal point, rounded half away from zero on the value's 15 significant
// digits, so that 1.005 shows as 1.01 the way it was typed. A value that
// rounds to zero shows no minus sign. Not-a-number and the infinities show
// as "NaN", "Infinity" and "-Infinity".
QString formatWithPattern(double value, std::optional<int> decimals);

} // namespace XQTestDev
