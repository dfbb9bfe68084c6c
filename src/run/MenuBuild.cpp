#include "run/MenuBuild.h"

#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "run/GroupOrder.h"
#include "run/GroupRows.h"
#include "run/GroupWindow.h"
#include "run/RunSession.h"

#include <QApplication>

#include <cmath>

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

GroupWindow* createGroupWindow(const ProductSpec& spec, const QString& groupName,
                               bool promptEnabled) {
    RunSession& session = runSession();
    const int screenHeight = library().screenHeight;
    const int rowLimit = rowLimitFor(screenHeight);
    const int group = session.model.addGroup(groupName, loadGroupRows(spec, groupName, rowLimit));
    const double scale = session.menuScale;
    auto* window = new GroupWindow(session.model, group, promptEnabled, rowLimit, scale);
    const auto scaled = [scale](int twips) { return static_cast<int>(std::lround(twips * scale)); };
    const PlacedWindow at =
        placeGroupWindow(session.model.layout, scaled(GroupWindow::Width),
                         scaled(GroupWindow::heightFor(rowLimit, window->rowCount())), screenHeight,
                         session.menuXOffset, scaled(HeaderHeight));
    moveWindowTwips(*window, at.left, at.top);
    session.groupWindows.append(window);
    return window;
}

bool buildTestMenu(bool promptEnabled, QString& orderText) {
    RunSession& session = runSession();
    RunModel& model = session.model;
    if (model.run.product.isEmpty())
        return false;
    const BusyPointer busy;
    closeGroupWindows();
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(model.run.product);
    const GroupOrder order = screenGroupOrder(*spec);
    if (order.scan == OrderScan::NoEndTag)
        model.run.product.clear();
    if (order.scan != OrderScan::Done)
        return false;
    orderText = order.text;
    const QStringList names = groupWindowNames(order.text);
    for (const QString& name : names)
        createGroupWindow(*spec, name, promptEnabled);
    return true;
}

void closeGroupWindows() {
    RunSession& session = runSession();
    const QList<QPointer<GroupWindow>> windows = session.groupWindows;
    session.groupWindows.clear();
    session.model.removeGroups();
    session.shownPage = -1;
    session.owner = nullptr;
    for (const QPointer<GroupWindow>& window : windows)
        delete window.data();
}

} // namespace XQTestDev
