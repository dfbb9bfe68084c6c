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

// Loads the group into the run model after the groups already there, and
// creates, sizes and places its window at the end of the session's windows.
GroupWindow* createGroupWindow(const ProductSpec& spec, const QString& groupName,
                               bool promptEnabled);

// Closes and releases every group window and empties the model's groups and
// page table.
void closeGroupWindows();

} // namespace XQTestDev
