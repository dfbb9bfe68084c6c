#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace XQTestDev {

// The keys an operator expects of a window that asks for an answer, also
// when it is no dialog: Enter presses the button that has the focus, or OK
// when the focus is elsewhere; Escape presses Cancel. It sees the keys that
// the focused control leaves, so a control that uses Enter or Escape itself
// keeps them.
class DialogKeys : public QObject {
    Q_OBJECT

public:
    // `ok` or `cancel` may be none; a hidden or disabled button is not pressed.
    DialogKeys(QWidget& window, QAbstractButton* ok, QAbstractButton* cancel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* focusedButton() const;

    QWidget& window_;
    QPointer<QAbstractButton> ok_;
    QPointer<QAbstractButton> cancel_;
};

} // namespace XQTestDev
