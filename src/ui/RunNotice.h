#pragma once

#include <QString>

namespace XQTestDev {

// A notice of the library about the run that the operator should see without
// having to dismiss it (a record kept back, a results file that cannot be
// written): on standard error, and on the status window's line 3 unless the
// station program wrote its own text there since the library's last notice.
void sayRunNotice(const QString& text);

} // namespace XQTestDev
