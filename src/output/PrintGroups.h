#pragma once

#include <QString>
#include <QStringList>

namespace XQTestDev {

class ProductSpec;

// The print groups in the order of the test lines, joined by commas: field 5
// of each line whenever it is not empty and differs, without regard to case,
// from the group listed last. A group that comes back after another one is
// listed again. Empty, after its message, when a line has fewer than seven
// fields or no end tag is found by line 499.
QString listPrintGroups(const ProductSpec& spec);

// The groups to print, each name trimmed, from PrintGroupOrder or the listing.
QStringList printGroupNames(const QString& order);

} // namespace XQTestDev
