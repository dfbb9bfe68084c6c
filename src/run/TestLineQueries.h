#pragma once

#include <QString>

namespace XQTestDev {

// The fields of a test line that a station program can ask for.
enum class TestLineField { DbFieldName, MinSpec, MaxSpec, TargetSpec, Unit, CustomFlag };

// Looks the test line of `group` and `parameter` up in the current product's
// list of test lines and returns the asked field, exactly as written. The names
// must match the line's fields exactly (case and blanks count). Every failure
// shows its message and gives an empty text; finding nothing before the end
// tag gives an empty text without a message. Nothing is written anywhere.
QString lookUpTestLineField(const QString& group, const QString& parameter, TestLineField field);

} // namespace XQTestDev
