#pragma once

#include <QString>

namespace XQTestDev {

class GroupWindow;
class ProductSpec;

// Builds one group window per item of the current product's group order and
// lays them out in columns and pages. False when no product is chosen or the
// order scan failed (its message shown). `orderText` receives the order that
// the menu object keeps for the group-name test of SendData.
bool buildTestMenu(bool promptEnabled, QString& orderText);

// Creates, loads, sizes and places group window `index` and adds it to the
// library's window table.
GroupWindow* createGroupWindow(const ProductSpec& spec, const QString& groupName, int index,
                               bool promptEnabled);

// Closes and releases every group window and empties the window and page
// tables.
void closeGroupWindows();

} // namespace XQTestDev
