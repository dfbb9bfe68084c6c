#pragma once

#include <QString>

namespace XQTestDev {

// A note for whoever looks after the station, beside a message that names too
// little: on standard error and on the status window's last line (unless the
// status window is kept hidden).
void noteOnStatusWindow(const QString& text);

// The note that names the group and product whose lines do not fit a window.
QString tooManyRowsNote(const QString& group, const QString& product, int rowLimit);

} // namespace XQTestDev
