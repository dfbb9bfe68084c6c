#pragma once

#include "config/ProductDefinition.h"

#include <QString>

#include <vector>

namespace XQTestDev {

inline constexpr int MaxGroupRows = 15;
inline constexpr QLatin1StringView NoLimitText("----");

// One row of a group window as loaded from its test line.
struct GroupRowSpec {
    int lineNumber = 0;
    QString parameter; // trimmed field 6
    QString minimum;   // trimmed field 1, or "----" when not numeric
    QString maximum;   // trimmed field 2, or "----" when not numeric
    QString unit;      // trimmed field 4
};

struct GroupRows {
    std::vector<GroupRowSpec> rows;
    bool specError = false;
};

// 10 rows on a usable screen lower than 11520 twips, else 15.
int rowLimitFor(int usableScreenHeight);

// The rows of one group in line order. Every problem found shows its message
// and marks the group; a line with equal or crossed limits is still loaded.
GroupRows loadGroupRows(const ProductSpec& spec, const QString& groupName, int rowLimit);

// The text a row shows for a limit field.
QString shownLimit(const QString& field);

} // namespace XQTestDev
