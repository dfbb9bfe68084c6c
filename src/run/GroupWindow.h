#pragma once

#include "run/ResultColours.h"
#include "run/RunModel.h"
#include "run/SharedCellSize.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace XQTestDev {

class WrapLabel;

// The window of one test group (frmTestMenu): the rows of its group in the run
// model with limits, units and values, and a Start button that runs only this
// group. It paints what the model holds, blinks values under test and
// forwards the Start; judging and recording happen elsewhere.
class GroupWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 3900;               // twips
    static constexpr int RowHeight = 600;            // twips
    static constexpr int TopAreaHeight = 630;        // title, Start and column titles
    static constexpr int DesignedShortHeight = 6630; // 10 rows
    static constexpr int DesignedTallHeight = 9630;  // 15 rows

    // Shows group `index` of `model`, which outlives the window; `scale` is
    // the menu's MenuScale.
    GroupWindow(const RunModel& model, int index, bool promptEnabled, int rowLimit,
                double scale = 1);

    // Designed height less the unused rows and 15 twips.
    static int heightFor(int rowLimit, int rowCount);

    const QString& groupName() const { return groupName_; }
    int index() const { return index_; }
    bool promptEnabled() const { return promptEnabled_; }
    bool specError() const { return specError_; }

    int rowCount() const { return rowCount_; }

    // One step of the blinking of values under test: hidden and shown on
    // alternate calls.
    void blinkTesting();

    void setStartEnabled(bool enabled);

    // Frameless (empty caption) or a small tool-window frame (caption one blank)
    // that lets the operator move the window.
    void toggleFrame();
    bool isFramed() const { return framed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowWidgets {
        QFrame* frame = nullptr;
        WrapLabel* parameter = nullptr;
        QLabel* minimum = nullptr;
        QLabel* maximum = nullptr;
        QLabel* value = nullptr;
        QLabel* unit = nullptr;
        QLabel* failMark = nullptr; // "✗" beside a failed value, never in its text
    };

    void buildControls();
    void buildRow(int row);
    void fillRows();
    void paintRow(int row);
    void paintValue(int row);
    int valueWidth(int row, const QFont& font) const;
    void placeFailMark(const RowWidgets& w, int markWidth);
    qreal smallestPointSize() const;
    void giveLimitsRoom();
    void paintFrame(int row, FrameLook look);

    QString groupName_;
    int index_ = 0;
    bool promptEnabled_ = true;
    bool specError_ = false;
    bool framed_ = false;
    int rowCount_ = 0;
    double scale_ = 1;
    const RunModel& model_;
    std::array<bool, MaxGroupRows> blinkedAway_{}; // value hidden by the blinking
    std::array<RowWidgets, MaxGroupRows> widgets_;
    SharedCellSize valueSize_;
    QLabel* title_ = nullptr;
    QPushButton* start_ = nullptr;
    QFrame* mainFrame_ = nullptr;
};

} // namespace XQTestDev
