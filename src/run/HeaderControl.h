#pragma once

#include "run/HeaderWindow.h"
#include "run/NetworkStatus.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTime>

namespace XQTestDev {

// The header menu's own behaviour: what its buttons, pictures, context menu
// and timers do before the menu object hears of it. Every action that
// concerns the menu object ends as `notified(item)` ("TestAll", "Abort",
// "Exit", "Print", "PageNext", "PagePrevious", "Hide", "Logo",
// "Show Cabinet", "Calibration", "Diagnostic", "About", "Open ATE.ini",
// "Open Products.ini"). A pending group start ends as `groupStartNotified`,
// apart from those names, so that a group called "Print" or "Hide" starts its
// test instead of printing or hiding the menu.
class HeaderControl : public QObject {
    Q_OBJECT

public:
    explicit HeaderControl(QObject* parent = nullptr);
    ~HeaderControl() override;

    HeaderWindow& window() const { return *window_; }

    // Opening loads the header: the run's software version is kept for the
    // report and the database writer, the labels are filled, the elapsed time
    // stops and the timers run. Closing hides it and stops its timers.
    void open();
    void close();
    bool isOpen() const { return open_; }
    // Shows the header at the top edge of the screen, `left` twips across.
    void showAt(int left);
    void placeAt(int left);

    // The header's share of a run's start and end.
    void showRunStarted();
    void showRunEnded(bool groupStartsEnabled);
    // Whether a run is active, as the run model holds it.
    bool runActive() const;
    void setStartEnabled(bool enabled);
    // Exit asks to abort the run (and reads "Abort") instead of leaving.
    bool exitMeansAbort() const { return state_.exitMeansAbort; }
    void setExitMeansAbort(bool abort);

    // True while no run is active: the elapsed time stands still.
    bool runEnded() const { return state_.runEnded; }
    void setRunEnded(bool ended) { state_.runEnded = ended; }

    void setGroupStartsDisabled(bool disabled) { groupStartsDisabled_ = disabled; }
    void setPassFailHidden(bool hidden);
    // The elapsed time of the run as the clock last showed it; it stands
    // still once the run has ended.
    QTime elapsed() const { return state_.elapsed; }

    // A group window's Start asks for its group's test: the header disables
    // the starts and raises it, unless a group start is still under way.
    void startGroup(const QString& groupName);

    // The page display after a build, or after a page was shown elsewhere.
    void showPages();

    // The operator's actions, also for callers that act for the operator.
    void pressStartTest();
    void pressExit();
    void pressPrint();
    void turnPage(int step);
    void chooseMenuEntry(HeaderWindow::MenuEntry entry);

    // One tick of the clock, also for callers that cannot wait for it.
    void clockTick();
    // The badge of the unit's verdict as it stands now.
    void showVerdict();
    void refreshStatus();

signals:
    void notified(const QString& item);
    void groupStartNotified(const QString& groupName);

private:
    // What the header shows of the run; the window paints it and no decision
    // reads the window.
    struct State {
        bool startEnabled = true;    // Start Test and Print
        bool exitMeansAbort = false; // Exit reads "Abort"
        bool runEnded = true;        // the elapsed time stands still
        QTime elapsed{0, 0};
    };

    void fillLabels();
    void showRunData();
    void showElapsedTime();
    bool confirm(const QString& question);
    void disableStarts();

    QPointer<HeaderWindow> window_;
    NetworkStatus network_;
    State state_;
    bool open_ = false;
    bool passFailHidden_ = false;
    bool blinkOn_ = false;
    bool groupStartsDisabled_ = false;
    bool groupStartRunning_ = false;
    bool testAllRunning_ = false;
    bool questionOpen_ = false;
};

} // namespace XQTestDev
