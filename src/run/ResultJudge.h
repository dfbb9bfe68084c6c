#pragma once

#include "frame/Verdict.h"

#include <QString>
#include <QVariant>

namespace XQTestDev {

// What a result means for its row: its verdict and the text recorded in the
// results file.
struct Judgement {
    Verdict verdict = Verdict::Pass;
    QString recordedResult; // the <result> part; empty: not recorded
};

// The text a result is shown and recorded as: integers as written, floating-point
// numbers as the shortest text that reads back as the same number, Booleans as
// "True" or "False", dates as "mm/dd/yyyy hh:mm:ss am/pm", texts exactly as
// passed in, an empty variant as empty text.
QString resultText(const QVariant& TestResult);

// A number, or a text that reads wholly as a number.
bool isNumericResult(const QVariant& TestResult);

// Judges a result against a row's shown limits ("----" or any other text that
// is not numeric means no limit). Values equal to a limit pass. Texts are
// judged by the pass and fail words: "PASS", "YES", "TRUE", "ON" pass; "FAIL",
// "NO", "FALSE", "OFF" fail; "TESTING" is under test and not recorded. Any
// other text fails on a line with a numeric limit (a number was expected) and
// passes on a line without one. An empty or blank text is no verdict and is
// not recorded.
Judgement judgeResult(const QVariant& TestResult, const QString& minimum, const QString& maximum);

} // namespace XQTestDev
