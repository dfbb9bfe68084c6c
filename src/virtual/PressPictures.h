#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace XQTestDev {

// A picture label of the library's own artwork at a place given in twips.
QLabel* pictureLabel(QWidget* parent, const QString& picture, const QString& objectName,
                     QRect twips);

// A button made of two stacked pictures: the released picture lies over the
// pressed one. The left button going down on the released picture hides it,
// so that the pressed one shows, which then takes every mouse event until the
// button comes up, wherever that is; the left button coming up (or a click on
// the pressed picture) shows the released picture again. Neither passes the
// mouse on
// to the window behind, so pressing them never drags the window.
class PressPictures : public QObject {
    Q_OBJECT

public:
    PressPictures(QLabel* released, QLabel* pressed);

    // Down: the released picture is hidden.
    bool isDown() const;
    // Hides the released picture, as a press does (for the keyboard), and
    // shows it again.
    void pressDown();
    void letGo();

signals:
    // The released picture was hidden by a press; handlers may run for as
    // long as the button is held.
    void pressed();
    // The button came up over the picture after a press on it.
    void clicked();
    void menuRequested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLabel> released_;
    QPointer<QLabel> pressed_;
};

} // namespace XQTestDev
