#pragma once

#include <QString>

namespace XQTestDev {

// Finds `name` in `directory` without regard to case ("ate.ini" finds
// ATE.INI), remembering what it found. When no such file exists the result is
// the name as given, which is also the spelling a new file is created with.
QString findFileIgnoringCase(const QString& directory, const QString& name);

// Looks again, for when the remembered file has gone.
QString refindFileIgnoringCase(const QString& directory, const QString& name);

} // namespace XQTestDev
