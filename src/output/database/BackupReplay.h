#pragma once

#include <QString>

namespace XQTestDev {

class RowStore;

// Stores the product's waiting backup statements on the open store, oldest
// first: each stored statement's file is deleted, an empty one is left alone,
// and one with the table placeholder takes `table` (left alone while `table`
// is empty). The first statement that cannot be read or stored has its file
// renamed from .SQL to .ERR and ends the replay: false. Later files wait for
// the next write. With `runTablesUsable` false the rows are stored alone and
// their runs wait beside them as runs alone; those are stored, after the
// rows, by a later replay that can use the run tables.
bool replayBackups(RowStore& store, const QString& product, const QString& table,
                   bool runTablesUsable = true);

} // namespace XQTestDev
