#pragma once

#include <QWidget>

#include <array>

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace XQTestDev {

class ElidedLabel;
class RoundButton;
class WindowDrag;

// The status message window (frmGeneralInfo): four one-line labels in which
// the library and the station program report progress, and the circular
// button that puts the window away into the cabinet as "Status Panal".
class StatusWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int LineCount = 4;

    explicit StatusWindow(QWidget* parent = nullptr);
    ~StatusWindow() override;

    void setLine(int lineNumber, const QString& text);
    QString line(int lineNumber) const;
    void clearLines();

    // Brings a shown window to the front; a hidden one stays hidden.
    void bringToFrontIfShown();

    // Shrinks the window into the cabinet as "Status Panal".
    void putAway();

private:
    void createControls();
    void openMenu(const QPoint& globalPosition);

    QFrame* shpFrame_ = nullptr;
    std::array<ElidedLabel*, LineCount> lblInfo_{};
    RoundButton* picClipControl_ = nullptr;
    QMenu* mnuStatus_ = nullptr;
    QAction* mnuHide_ = nullptr;
    WindowDrag* drag_ = nullptr;
};

} // namespace XQTestDev
