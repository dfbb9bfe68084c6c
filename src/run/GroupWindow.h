#pragma once

#include "run/GroupRows.h"
#include "run/ResultColours.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace XQTestDev {

// What one row of a group window shows: a test line with its limits and the
// last value sent for it. The row is the live state of that test line.
struct GroupRow {
    GroupRowSpec spec;    // an empty parameter ends the window's rows
    QString value;        // as shown, empty when cleared
    bool testing = false; // the value reads "TESTING" (any case, blanks around)
    ValueColour colour = ValueColour::Black;
    FrameLook frame = FrameLook::Result;
    bool valueVisible = true;
};

// A value of "TESTING" is shown while a test runs and never counted.
bool isTestingText(const QString& value);

// The window of one test group (frmTestMenu): its rows with limits, units and
// values, and a Start button that runs only this group. It shows and forwards;
// judging and recording happen elsewhere.
class GroupWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 3900;               // twips
    static constexpr int RowHeight = 600;            // twips
    static constexpr int TopAreaHeight = 630;        // title, Start and column titles
    static constexpr int DesignedShortHeight = 6630; // 10 rows
    static constexpr int DesignedTallHeight = 9630;  // 15 rows

    GroupWindow(const QString& groupName, int index, bool promptEnabled, const GroupRows& rows,
                int rowLimit);

    // Designed height less the unused rows and 15 twips.
    static int heightFor(int rowLimit, int rowCount);

    const QString& groupName() const { return groupName_; }
    int index() const { return index_; }
    bool promptEnabled() const { return promptEnabled_; }
    bool specError() const { return specError_; }

    const GroupRow& row(int row) const { return rows_[static_cast<size_t>(row)]; }
    int rowCount() const { return rowCount_; }

    void showValue(int row, const QString& text, ValueColour colour);
    void setValueColour(int row, ValueColour colour);
    void setFrame(int row, FrameLook look);
    void clearValue(int row);
    void setValueVisible(int row, bool visible);

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
        QLabel* parameter = nullptr;
        QLabel* minimum = nullptr;
        QLabel* maximum = nullptr;
        QLabel* value = nullptr;
        QLabel* unit = nullptr;
    };

    void buildControls();
    void buildRow(int row);
    void fillRows(const GroupRows& rows);
    void paintValue(int row);
    void paintFrame(int row);

    QString groupName_;
    int index_ = 0;
    bool promptEnabled_ = true;
    bool specError_ = false;
    bool framed_ = false;
    int rowCount_ = 0;
    std::array<GroupRow, MaxGroupRows> rows_;
    std::array<RowWidgets, MaxGroupRows> widgets_;
    QLabel* title_ = nullptr;
    QPushButton* start_ = nullptr;
    QFrame* mainFrame_ = nullptr;
};

} // namespace XQTestDev
