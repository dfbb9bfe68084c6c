#pragma once

#include "config/IniStore.h"
#include "frame/DurableFile.h"
#include "frame/RunIdentity.h"
#include "frame/Verdict.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace XQTestDev {

// The results file (XQResults.ini) as its writer, the run, and its readers
// share it: the section, every key of the run header, the time form, the
// "value|verdict" line and the profile reader's length limit are spelled here
// and nowhere else.

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

// A value as the profile reader hands it back: at most 1,022 characters.
QString profileText(const QString& value);

// ---- The run header ----------------------------------------------------------

// The run header as the results file holds it, in its own texts.
struct StoredRunHeader {
    RunIdentity identity; // the product is the one asked for
    QString verdict;      // OverAllPassFail as written: "PASS", "FAIL", "----"...
    QString start;        // StartTestTime
    QString finish;       // EndTestTime
};
StoredRunHeader readStoredRunHeader(const QString& product);

// StartTestTime, OperatorID, SerialNumber, WorkOrderNumber, TestID, Model,
// Revision and Remark1 to Remark4, in this order.
void addRunHeader(IniBatch& batch, const RunIdentity& run, const QString& startTime);
// The same keys and EndTestTime emptied, and OverallPassFail "----".
void addClearedRunHeader(IniBatch& batch, const QString& product);
// OverallPassFail "----" alone (a group's start).
void addClearedVerdict(IniBatch& batch, const QString& product);

QString readOverallPassFail(const QString& product);
WriteResult writeOverallPassFail(const QString& product, const QString& verdict);
WriteResult writeEndTestTime(const QString& product, const QDateTime& time);
// A repaired time (an output found none, or none that reads as a date).
void addStartTestTime(IniBatch& batch, const QString& product, const QString& time);
void addEndTestTime(IniBatch& batch, const QString& product, const QString& time);
WriteResult writeSerialNumber(const QString& product, const QString& serialNumber);
WriteResult writeResultLine(const QString& product, int lineNumber, const QString& value);
// One line key in a batch ("----|----" for a line reset).
void addResultLine(IniBatch& batch, const QString& product, int lineNumber, const QString& value);

// LastAccessDatabase: "PASS" or "FAIL" after a database write.
QString readLastAccessDatabase(const QString& product);
WriteResult writeLastAccessDatabase(const QString& product, const QString& outcome);

// TestSoftwareVersion, which the station program writes through WriteINI
// under a section of its own choice: [ATE Configuration] first, then the
// product's results section.
QString readTestSoftwareVersion(const QString& product);
// The software version of a run: the one the header kept when it opened, else
// TestSoftwareVersion of the results file.
QString runSoftwareVersion(const QString& kept);

// ---- Result lines ------------------------------------------------------------

// "<result>|<verdict>": "Pass", "Fail", or "----" for a result without one.
QString encodeResultLine(const QString& result, Verdict verdict);

// A line's two fields as written, "----|----" included; nothing when the text
// is not exactly two fields (the outputs that print every line as stored
// decide what to show for those).
struct ResultLineFields {
    QString result;
    QString verdict;
};
std::optional<ResultLineFields> splitResultLine(const QString& text);

// A line as recorded: its value and verdict; a line without a Pass or Fail
// ("----|----", empty, malformed) has neither.
struct ResultLine {
    QString value;
    Verdict verdict = Verdict::Untested;
};
ResultLine decodeResultLine(const QString& text);

} // namespace XQTestDev
