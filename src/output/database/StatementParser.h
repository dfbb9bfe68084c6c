#pragma once

#include "output/database/DatabaseRow.h"

#include <QString>

namespace XQTestDev {

// A backup statement read back into the row it was rendered from.
struct ParsedStatement {
    DatabaseRow row;
    bool hasPlaceholder = false; // the table is still to be named by the product
    QString error;               // empty when the statement was read
};

// Reads INSERT INTO <table> (<[column],...>) VALUES (<'value',...>). The table
// is "[name]", the placeholder, or a bare name padded with blanks. Anything
// else, or a count of values unlike the count of columns, is an error.
ParsedStatement parseStatement(const QString& text);

} // namespace XQTestDev
