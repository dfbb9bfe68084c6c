#pragma once

#include <QString>

namespace XQTestDev {

// What a test line, or the whole unit, says. A line's row may also show a
// value under test; a unit or a recorded line is Untested, Pass or Fail.
enum class Verdict {
    Untested, // nothing judged yet, or cleared; a unit with no judged line
    Testing,  // the station program reports "TESTING"; never counted
    Pass,
    Fail,
};

// The unit's verdict as the station program, the header, the results file and
// every output spell it: "PASS", "FAIL", or empty for a unit with no judged
// line (and for Testing, which a unit never is).
QString unitVerdictText(Verdict verdict);
// "PASS" or "FAIL" in any case and with blanks around; Untested otherwise.
Verdict unitVerdictOf(const QString& text);

// A recorded line's verdict as its results-file line, its record and its row
// in the run tables spell it: "Pass", "Fail", or empty when it has none.
QString lineVerdictText(Verdict verdict);
// "Pass" or "Fail" exactly; Untested otherwise.
Verdict lineVerdictOf(const QString& text);

} // namespace XQTestDev
