#pragma once

#include <QByteArray>
#include <QString>

namespace XQTestDev {

// One listener's entry in the scan list from what its receive left in the
// buffer: the reply without its last received character and outer blanks,
// a trailing CR, LF or FF dropped, then ",ADDRESS " and the address; or
// "DEVICE UNKNOWN" for a reply of one character or none.
QString scanEntry(const QByteArray& buffer, long count, int address);

} // namespace XQTestDev
