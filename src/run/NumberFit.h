#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace XQTestDev {

// A number rounded to what a narrow cell takes. Fixed notation with as many
// decimals as fit, as long as that keeps two significant digits
// ("0.0000457" for 0.00004567); otherwise as many significant digits as fit
// in the shortest notation ("1.2e-300"); the shortest form when even one
// digit does not fit. `fits` says whether a text fits the cell.
// A value rounded to fewer than `fewestDigits` significant digits could read
// as another number of its row: when not even those digits fit, the most that
// fit are shown followed by "…", which says the number is shortened.
QString roundedNumberToFit(double value, const std::function<bool(const QString&)>& fits,
                           int fewestDigits = 1);

// The fewest significant digits that keep `value` apart from every other
// number of its row that differs from it: 6.0e23 and 6.1e23 need two, a value
// of 999999999999 under a limit of 1e12 needs twelve. 1 when there is none.
int digitsToTellApart(double value, const QList<double>& others);

} // namespace XQTestDev
