#pragma once

#include "output/ReportLayout.h"

#include <QString>

namespace XQTestDev {

struct TestLine;

// A limit as printed: "----" when empty, a number written "#,##0.0##", any
// other text unchanged.
QString limitCell(const QString& field);

// The printed result and verdict of a results-file value "<result>|<verdict>".
struct ResultCells {
    QString result;
    QString verdict;
};
ResultCells resultCells(const QString& recorded);

// The description cut to 37 characters; `wasCut` tells the report to say so.
QString descriptionCell(const QString& field, bool* wasCut);

// Every cell of one printed test line.
TestLineCells testLineCells(const TestLine& line, const QString& recorded, bool* descriptionCut);

} // namespace XQTestDev
