#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace XQTestDev::testing {

// Runs `action` on the next modal window once it is shown: arm it before the
// call that opens the dialog, which then blocks until the action closes it.
void whenModalShows(std::function<void(QWidget*)> action);

// Waits for a non-modal top-level window with the given object name.
QWidget* waitForTopLevel(const QString& objectName, int timeoutMs = 2000);

// Clicks the button with this object name inside `root`; fails the test when
// there is none.
void clickButton(QWidget* root, const QString& objectName);

template <typename T> T* childNamed(QWidget* root, const QString& objectName) {
    return root ? root->findChild<T*>(objectName) : nullptr;
}

} // namespace XQTestDev::testing
