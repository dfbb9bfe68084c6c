#pragma once

#include <QString>
#include <QStringList>

namespace XQTestDev {

// The longest value the INI reader gives back whole: a typed text is never
// longer, so what the results file stores is what every reader sees.
inline constexpr int LongestEntryText = 1022;

// What an operator typed, as it is stored: control characters (a pasted line
// break or tab) would split or corrupt an INI line, so they are removed;
// everything else stays as typed.
QString withoutControlCharacters(const QString& typed);

// The items of a comma-separated list, each trimmed. Every item is kept, an
// empty one too, so that the n-th item here is the n-th item wherever else the
// list is read (the report pairs remark captions and values by position). An
// empty text is a list of no items.
QStringList trimmedListItems(const QString& list);

// The items as written (not trimmed), every one kept; an empty text has none.
QStringList listItemsAsWritten(const QString& list);

} // namespace XQTestDev
