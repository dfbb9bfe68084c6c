#pragma once

#include "run/HeaderModel.h"
#include "run/NetworkStatus.h"

#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace XQTestDev {

class ClockTimer;

// The header menu (frmHeaderMenu) across the top of the screen: who tests
// which unit, the clock and elapsed time, the PASS/FAIL pictures, the page of
// group windows, the network and database status and the run's buttons. It
// shows what it is told and forwards every operator action as a signal; the
// run control decides what an action means.
class HeaderWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 11760; // twips: three columns of group windows
    static constexpr int Height = 1725; // twips: the group windows start below

    // The context menu's entries, in menu order.
    enum class MenuEntry {
        OpenAteIni,
        OpenProductsIni,
        OpenLastReport,
        Calibration,
        Diagnostic,
        ShowCabinet,
        Hide,
        About
    };
    static constexpr int MenuEntryCount = 8;

    HeaderWindow();
    ~HeaderWindow() override;

    ClockTimer& clockTimer() const { return *tmrTime_; }
    QMenu& contextMenu() const { return *menu_; }
    QAction& menuAction(MenuEntry entry) const;

    // MenuScale: the header drawn this much larger than designed, its
    // pictures drawn again at their new size.
    void setScale(double scale);
    double scale() const { return scale_; }
    // The header's width and height as drawn, twips.
    int scaledWidth() const;
    int scaledHeight() const;

    void setLabelText(const char* objectName, const QString& text);
    void setLogo(const QString& configuredName);

    // Idle: Exit, Start Test and Print enabled, every menu entry shown.
    // Testing: Exit reads "Abort", Start Test and Print disabled, the entries
    // that would leave the run (About, Hide, Calibration, Diagnostic, Show
    // Cabinet) hidden.
    void showRunActive(bool active);
    void setStartAndPrintEnabled(bool enabled);
    void setExitCaption(bool abort);
    void focusStartTest();
    void focusExit();

    // The page display "Page: k of n" and the page buttons.
    void showPageControls(bool shown);
    void showPageNumber(int page, int pageCount);
    // A "✗" on the page button that leads towards pages with failed lines.
    void showPageFailMarks(bool before, bool after);

    void showVerdictPictures(const VerdictPictures& shown);
    // "3 lines not tested" beside the verdict after a run; empty hides it.
    void showUntestedLines(const QString& note);
    void showStatus(const StatusShown& status);

signals:
    void startTestClicked();
    void printClicked();
    void exitClicked();
    void nextClicked();
    void previousClicked();
    void logoDoubleClicked();
    void menuPictureDoubleClicked();
    void menuEntryChosen(MenuEntry entry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLabels();
    void buildPictures();
    void buildButtons();
    void buildPageButton(QPushButton*& button, const char* name, const char* pictureName, bool next,
                         int left);
    void buildMenu();
    void updatePagePictures();
    void drawPictures();
    bool pagePictureEvent(QLabel* picture, QEvent* event);

    ClockTimer* tmrTime_ = nullptr;
    QMenu* menu_ = nullptr;
    std::array<QAction*, MenuEntryCount> actions_{};
    QPushButton* cmdStartTest_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QPushButton* cmdNext_ = nullptr;
    QPushButton* cmdPrevious_ = nullptr;
    QLabel* imgLogo_ = nullptr;
    QLabel* picClipControl_ = nullptr;
    QLabel* imgPass_ = nullptr;
    QLabel* imgFail_ = nullptr;
    QLabel* imgTesting_ = nullptr;
    std::array<QLabel*, 5> statusPictures_{}; // in the order of StatusPicture
    // Normal, pressed and disabled look of each page button.
    std::array<QLabel*, 3> nextPictures_{};
    std::array<QLabel*, 3> previousPictures_{};
    QLabel* nextFailed_ = nullptr;
    QLabel* previousFailed_ = nullptr;
    double scale_ = 1;
    QString logoName_;
    bool failsBefore_ = false;
    bool failsAfter_ = false;
    bool pageControlsShown_ = true;
    // Whether the page buttons lead anywhere; their pictures follow these.
    bool canGoNext_ = true;
    bool canGoPrevious_ = true;
};

} // namespace XQTestDev
