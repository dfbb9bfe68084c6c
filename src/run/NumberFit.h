#pragma once

#include <QString>

#include <functional>

namespace XQTestDev {

// A number rounded to what a narrow cell takes. Fixed notation with as many
// decimals as fit, as long as that keeps two significant digits
// ("0.0000457" for 0.00004567); otherwise as many significant digits as fit
// in the shortest notation ("1.2e-300"); the shortest form when even one
// digit does not fit. `fits` says whether a text fits the cell.
QString roundedNumberToFit(double value, const std::function<bool(const QString&)>& fits);

} // namespace XQTestDev
