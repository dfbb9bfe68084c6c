#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace XQTestDev {

// Lets the operator move a frameless window: left button down on one of the
// watched controls and the window follows the mouse until the button is
// released.
class WindowDrag : public QObject {
    Q_OBJECT

public:
    explicit WindowDrag(QWidget& window);

    void watch(QWidget* control);

signals:
    // The left button was released after it went down on a watched control.
    void released();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    bool dragging_ = false;
    QPoint pressGlobal_;
    QPoint windowAtPress_;
};

} // namespace XQTestDev
