#pragma once

#include <QObject>
#include <QPoint>

class QLabel;

namespace XQTestDev {

// The panel's circular button: the released picture lies over the pressed
// one and is hidden while the left button is down. A click puts the panel
// away; the right button opens its menu.
class PanelClipButton : public QObject {
    Q_OBJECT

public:
    PanelClipButton(QLabel& released, QLabel& pressed);

    bool pressedFlag() const { return pressedFlag_; }

signals:
    void clicked();
    void menuRequested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leftDown();
    void leftUp(bool inside);
    void rightDown(const QPoint& globalPosition);

    QLabel& released_;
    QLabel& pressed_;
    bool pressedFlag_ = false;
};

} // namespace XQTestDev
