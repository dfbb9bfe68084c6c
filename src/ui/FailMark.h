#pragma once

#include <QFont>
#include <QString>

namespace XQTestDev {

// A failed value is marked by a sign before it, not by its colour alone: an
// operator who cannot tell red from green (one man in twelve) still sees it.
inline constexpr QStringView FailMark = u"\u2717 "; // "✗ "

QString withFailMark(const QString& text);
// Whether a shown text carries the mark.
bool hasFailMark(const QString& shown);
// The room the mark takes before a value, in pixels.
qreal failMarkWidth(const QFont& font);

} // namespace XQTestDev
