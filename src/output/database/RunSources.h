#pragma once

#include <QString>

namespace XQTestDev {

// The product of the current run, chosen at user entry.
QString currentRunProduct();

// The software version held for the current run: the results file's
// TestSoftwareVersion, kept by the header menu when it opens, read from the
// results file where no header has kept one.
QString currentRunSoftwareVersion();

} // namespace XQTestDev
