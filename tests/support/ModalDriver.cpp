#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace XQTestDev::testing {

namespace {

// A dialog left open by a failed action would block its caller until the
// test's time runs out: it is closed, and the failure is reported at once.
void closeIfTheTestFailed(const QPointer<QWidget>& modal) {
    if (!modal || !modal->isVisible() || !::testing::Test::HasFailure())
        return;
    // done() and not reject(): some dialogs refuse a reject (the first user
    // entry cannot be cancelled).
    if (auto* dialog = qobject_cast<QDialog*>(modal.data()))
        dialog->done(QDialog::Rejected);
    else
        modal->close();
}

void pollForModal(std::function<void(QWidget*)> action, int triesLeft) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
        const QPointer<QWidget> guard(modal);
        action(modal);
        closeIfTheTestFailed(guard);
        return;
    }
    if (triesLeft <= 0) {
        ADD_FAILURE() << "no modal window appeared";
        return;
    }
    QTimer::singleShot(10, [action = std::move(action), triesLeft]() mutable {
        pollForModal(std::move(action), triesLeft - 1);
    });
}

} // namespace

void whenModalShows(std::function<void(QWidget*)> action) {
    QTimer::singleShot(
        0, [action = std::move(action)]() mutable { pollForModal(std::move(action), 500); });
}

QWidget* waitForTopLevel(const QString& objectName, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == objectName && widget->isVisible())
                return widget;
        }
        QTest::qWait(5);
    }
    return nullptr;
}

void clickButton(QWidget* root, const QString& objectName) {
    auto* button = childNamed<QAbstractButton>(root, objectName);
    ASSERT_NE(button, nullptr) << "no button " << objectName.toStdString();
    button->click();
}

} // namespace XQTestDev::testing
