#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace XQTestDev {

// The layout of the results file (XQResults.ini) that its writer, the run,
// and its readers, the report and the database writer, share.

inline constexpr QLatin1StringView UntestedResult("----|----");
inline constexpr QLatin1StringView ClearedVerdict("----");

// "<product> Test Results"
QString resultsSection(const QString& product);

// "mm/dd/yyyy hh:mm:ss am/pm", the form of every time in the results file.
QString resultsFileTime(const QDateTime& time);

// A time as the results file holds it ("mm/dd/yyyy hh:mm:ss am/pm", written by
// the library) or as a person may have typed it there (single-digit month,
// day or hour, upper-case AM/PM, a 24-hour clock, a date alone). Nothing when
// the text is no date.
std::optional<QDateTime> readResultsTime(const QString& text);

// The software version of a run: the one the header kept when it opened, else
// TestSoftwareVersion of the results file.
QString runSoftwareVersion(const QString& kept);

} // namespace XQTestDev
