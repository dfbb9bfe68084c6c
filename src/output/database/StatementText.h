#pragma once

#include "output/database/DatabaseRow.h"

#include <QString>

namespace XQTestDev {

// Fifty capital X: stands for the table name in a statement saved while the
// product had none.
QString tableNamePlaceholder();

// The readable statement of a row, as a backup file keeps it:
// INSERT INTO [table] ([Model],...) VALUES ('M1',...). Single quotes inside a
// value are doubled and "]" inside a name is doubled, so that the statement
// reads back to the same row. A row without a table name gets the placeholder.
QString statementText(const DatabaseRow& row);

} // namespace XQTestDev
