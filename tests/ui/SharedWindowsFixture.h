#pragma once

#include "support/StationFixture.h"

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace XQTestDev::testing {

// A station folder of its own, and a settings store inside it: the cabinet's
// saved place never touches the real user's settings.
class SharedWindowsTest : public StationTest {
protected:
    void SetUp() override;
    void TearDown() override;
    QString settingsDir() const;
};

// Once the next pop-up menu opens, runs `inspect` on it and clicks the item
// with the object name `itemName`; an empty name closes the menu without a
// choice. Arm it before the click that opens the menu.
void whenPopupShows(const QString& itemName, std::function<void(QMenu*)> inspect = {});

// Counts how often a window was brought to the front or sent to the back.
class StackingCounter : public QObject {
public:
    explicit StackingCounter(QWidget* window);
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace XQTestDev::testing
