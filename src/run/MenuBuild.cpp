#include "run/MenuBuild.h"

#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "run/GroupOrder.h"
#include "run/GroupRows.h"
#include "run/GroupWindow.h"

#include <QApplication>

namespace XQTestDev {

namespace {

// The hourglass while the windows are built; restored on every way out.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

GroupWindow* createGroupWindow(const ProductSpec& spec, const QString& groupName, int index,
                               bool promptEnabled) {
    LibraryState& state = library();
    const int rowLimit = rowLimitFor(state.screenHeight);
    const GroupRows rows = loadGroupRows(spec, groupName, rowLimit);
    auto* window = new GroupWindow(groupName, index, promptEnabled, rows, rowLimit);
    const PlacedWindow at = placeGroupWindow(state.testMenu.layout, GroupWindow::Width,
                                             GroupWindow::heightFor(rowLimit, window->rowCount()),
                                             state.screenHeight, state.testMenu.menuXOffset);
    moveWindowTwips(*window, at.left, at.top);
    state.testMenu.groupWindows.append(window);
    return window;
}

bool buildTestMenu(bool promptEnabled, QString& orderText) {
    LibraryState& state = library();
    if (state.run.product.isEmpty())
        return false;
    const BusyPointer busy;
    state.testMenu.layout.clear();
    state.testMenu.shownPage = -1;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(state.run.product);
    const GroupOrder order = screenGroupOrder(*spec);
    if (order.scan == OrderScan::NoEndTag)
        state.run.product.clear();
    if (order.scan != OrderScan::Done)
        return false;
    orderText = order.text;
    const QStringList names = groupWindowNames(order.text);
    for (int index = 0; index < names.size(); ++index)
        createGroupWindow(*spec, names[index], index, promptEnabled);
    return true;
}

void closeGroupWindows() {
    RunTables& menu = library().testMenu;
    const QList<QPointer<GroupWindow>> windows = menu.groupWindows;
    menu.groupWindows.clear();
    menu.layout.clear();
    menu.shownPage = -1;
    menu.owner = nullptr;
    for (const QPointer<GroupWindow>& window : windows)
        delete window.data();
}

} // namespace XQTestDev
