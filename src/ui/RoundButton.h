#pragma once

#include <QLabel>
#include <QPoint>

namespace XQTestDev {

// The circular push button of the library's small windows, drawn from the
// pictures "ROUNDBUTTONUP" (released) and "ROUNDBUTTONDOWN" (pressed). A left
// click puts the window away; the right button opens the window's menu.
class RoundButton : public QLabel {
    Q_OBJECT

public:
    explicit RoundButton(QWidget* parent = nullptr);

    bool looksPressed() const { return looksPressed_; }

signals:
    void clicked();
    void menuRequested(const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPressed(bool pressed);

    bool pressed_ = false; // the left button went down on it
    bool looksPressed_ = false;
};

} // namespace XQTestDev
