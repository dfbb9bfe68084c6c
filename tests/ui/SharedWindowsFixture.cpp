#include "SharedWindowsFixture.h"

#include "frame/LibraryState.h"
#include "ui/SharedWindows.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace XQTestDev::testing {

void SharedWindowsTest::SetUp() {
    StationTest::SetUp();
    QDir().mkpath(settingsDir());
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settingsDir() + QStringLiteral("user"));
        QSettings::setPath(format, QSettings::SystemScope,
                           settingsDir() + QStringLiteral("system"));
    }
    LibraryState& state = library();
    state.onTopSuspended = false;
    state.statusHide = false;
}

void SharedWindowsTest::TearDown() {
    // When the tests share one process (the binary run by hand), the next
    // one starts with an empty cabinet and no status window.
    closeSharedWindows();
    StationTest::TearDown();
}

QString SharedWindowsTest::settingsDir() const {
    return root() + QStringLiteral("settings/");
}

namespace {

void pollForPopup(const QString& itemName, std::function<void(QMenu*)> inspect, int triesLeft) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || !menu->isVisible()) {
        if (triesLeft <= 0) {
            ADD_FAILURE() << "no pop-up menu appeared";
            return;
        }
        QTimer::singleShot(10, [itemName, inspect = std::move(inspect), triesLeft]() mutable {
            pollForPopup(itemName, std::move(inspect), triesLeft - 1);
        });
        return;
    }
    if (inspect)
        inspect(menu);
    if (itemName.isEmpty()) {
        QTest::keyClick(menu, Qt::Key_Escape);
        return;
    }
    for (QAction* action : menu->actions()) {
        if (action->objectName() == itemName) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return;
        }
    }
    ADD_FAILURE() << "no menu item " << itemName.toStdString();
    menu->close();
}

} // namespace

void whenPopupShows(const QString& itemName, std::function<void(QMenu*)> inspect) {
    QTimer::singleShot(0, [itemName, inspect = std::move(inspect)]() mutable {
        pollForPopup(itemName, std::move(inspect), 300);
    });
}

StackingCounter::StackingCounter(QWidget* window) : QObject(window) {
    window->installEventFilter(this);
}

bool StackingCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ZOrderChange)
        ++count;
    return QObject::eventFilter(watched, event);
}

} // namespace XQTestDev::testing
