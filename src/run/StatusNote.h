#pragma once

#include <QString>

namespace XQTestDev {

// The note, beside the message that names too little, that names the group
// and product whose lines do not fit a window.
QString tooManyRowsNote(const QString& group, const QString& product, int rowLimit);

} // namespace XQTestDev
