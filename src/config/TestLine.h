#pragma once

#include <QString>
#include <QStringView>

namespace XQTestDev {

// What a numbered key of a product's spec section holds.
enum class LineKind {
    Empty,      // key absent or its value empty
    EndTag,     // field 0 is "<EOT>" in any case: the list ends here
    Incomplete, // fewer than seven fields
    Complete,   // fields 0 to 6 present (the custom flag may be missing)
};

// One test line split at every comma, each field exactly as split. Limits stay
// text: whether a limit is numeric is decided where it is used.
struct TestLine {
    int number = 0;
    LineKind kind = LineKind::Empty;
    int fieldCount = 0;
    QString dbFieldName;   // field 0
    QString minSpec;       // field 1
    QString maxSpec;       // field 2
    QString targetSpec;    // field 3
    QString unit;          // field 4
    QString groupName;     // field 5
    QString parameterName; // field 6
    QString customFlag;    // field 7, empty when the line has no field 7
};

// The highest key any scan of a spec section reads: the end tag stands at 499
// or lower, so a product holds at most 498 test lines.
inline constexpr int LastSpecKey = 499;
inline constexpr int CompleteFieldCount = 7;

// Splits the value of key `number`; there is no quoting, so a field never holds
// a comma. Fields beyond 7 are ignored.
TestLine parseTestLine(int number, const QString& text);

bool isEndTag(QStringView field0);

} // namespace XQTestDev
