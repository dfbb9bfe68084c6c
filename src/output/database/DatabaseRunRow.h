#pragma once

#include "output/database/DatabaseRow.h"

namespace XQTestDev {

struct RunInputs;

// The row of a run as far as the product's test lines allow it. A list that
// runs out of lines before its end tag leaves the row incomplete: it holds
// the header and every test line read up to the gap.
struct DatabaseRunRow {
    DatabaseRow row;
    bool complete = true;
};

// The twenty header values, then one column per test line up to the end tag,
// showing the messages of incomplete spec and result lines on the way.
DatabaseRunRow buildRunRow(const RunInputs& in);

// A recorded result as the row stores it: "--" anywhere gives 999.999, a pass
// word gives -1 and a fail word 0 (compared trimmed, in upper case), every
// other text trimmed.
QString testValueText(const QString& recorded);

} // namespace XQTestDev
