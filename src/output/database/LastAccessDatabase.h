#pragma once

#include "config/ResultsFileCodec.h"

#include <QString>

namespace XQTestDev {

// The outcome of the last database write, kept in the run's results section
// as LastAccessDatabase: "PASS" after a stored row, "FAIL" after a failure.
enum class DatabaseAccess { Pass, Fail };
void writeLastAccessDatabase(const QString& product, DatabaseAccess outcome);

} // namespace XQTestDev
