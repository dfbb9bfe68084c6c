#pragma once

#include <QString>

namespace XQTestDev {

// A reading of simulate mode: a random single-precision number in [0, 1) as
// text, with at most seven significant digits.
QString simulatedReply();

} // namespace XQTestDev
