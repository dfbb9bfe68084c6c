#pragma once

#include "ui/SharedWindowsFixture.h"

#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace XQTestDev::testing {

// The shared windows' fixture, plus the arrow pause of the LED bar set back
// to its default after each test.
class VirtualTest : public SharedWindowsTest {
protected:
    void TearDown() override;

    // The one top-level window with this object name, shown or not.
    static QWidget* topLevel(const QString& objectName);

    template <typename T = QWidget> static T* control(QWidget* window, const QString& name) {
        return window ? window->findChild<T*>(name) : nullptr;
    }

    // A colour as the station program writes it, 0x00BBGGRR.
    static int bgrOf(const QColor& colour);
    // The colour of a label's text.
    static int textColourOf(const QLabel* label);
    // Whether the label's text fits its width in its own font.
    static bool textFits(const QLabel* label);

    // Whether the window shows "✗" beside its value (lblValue), clear of
    // the value's text.
    static bool failMarkShown(QWidget* window);

    // A left click at the middle of a control, as the operator makes it.
    static void click(QWidget* control);

    // With XQ_SNAPSHOT_DIR set, the window is saved there as <name>.png to be
    // looked at.
    static void snapshot(QWidget* window, const QString& name);
};

} // namespace XQTestDev::testing
