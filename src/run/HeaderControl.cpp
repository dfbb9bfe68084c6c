#include "run/HeaderControl.h"

#include "config/StationFiles.h"
#include "frame/Clock.h"
#include "frame/DesktopOpen.h"
#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "frame/ScreenUnits.h"
#include "run/FailedPages.h"
#include "run/HeaderMessages.h"
#include "run/HeaderModel.h"
#include "run/MenuPages.h"
#include "run/OverallVerdict.h"
#include "run/ResultsFile.h"
#include "run/RunSession.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/XQUtility32.h>

#include <QAction>

namespace XQTestDev {

namespace {

QString ateValue(const char* key) {
    return readStationValue(StationFile::Ate, QStringLiteral("ATE Configuration"),
                            QLatin1String(key));
}

// The version is written by the station program through WriteINI, which
// sends it to the results file under the section the program named; the
// header finds it wherever it stands.
QString runSoftwareVersion() {
    return readTestSoftwareVersion(runModel().run.product);
}

} // namespace

HeaderControl::HeaderControl(QObject* parent) : QObject(parent), window_(new HeaderWindow) {
    HeaderWindow& w = *window_;
    connect(&w.clockTimer(), &ClockTimer::timeout, this, &HeaderControl::clockTick);
    connect(&w, &HeaderWindow::startTestClicked, this, &HeaderControl::pressStartTest);
    connect(&w, &HeaderWindow::exitClicked, this, &HeaderControl::pressExit);
    connect(&w, &HeaderWindow::printClicked, this, &HeaderControl::pressPrint);
    connect(&w, &HeaderWindow::nextClicked, this, [this] { turnPage(+1); });
    connect(&w, &HeaderWindow::previousClicked, this, [this] { turnPage(-1); });
    connect(&w, &HeaderWindow::logoDoubleClicked, this,
            [this] { emit notified(QStringLiteral("Logo")); });
    // Hiding resets the results; during a run the Hide entry is gone from
    // the menu, and its double-click shortcut goes with it.
    connect(&w, &HeaderWindow::menuPictureDoubleClicked, this, [this] {
        if (!runActive())
            emit notified(QStringLiteral("Hide"));
    });
    connect(&w, &HeaderWindow::menuEntryChosen, this, &HeaderControl::chooseMenuEntry);
    w.showPageNumber(1, 1);
}

HeaderControl::~HeaderControl() {
    delete window_.data();
}

void HeaderControl::open() {
    if (open_)
        return;
    open_ = true;
    runModel().softwareVersion = runSoftwareVersion();
    fillLabels();
    state_.runEnded = true;
    window_->showVerdictPictures({});
    window_->clockTimer().start();
}

void HeaderControl::close() {
    open_ = false;
    window_->clockTimer().stop();
    window_->hide();
}

void HeaderControl::placeAt(int left) {
    moveWindowTwips(*window_, left, 0);
}

void HeaderControl::showAt(int left) {
    open();
    placeAt(left);
    window_->show();
    window_->raise();
}

void HeaderControl::fillLabels() {
    const RunData& run = runModel().run;
    HeaderWindow& w = *window_;
    w.setLabelText("lblProductName", run.product);
    w.setLabelText("lblCustomerName", readStationValue(StationFile::Products, run.product,
                                                       QStringLiteral("CustomerName")));
    w.setLabelText("lblCustomerPN",
                   customerPnText(readStationValue(StationFile::Products, run.product,
                                                   QStringLiteral("CustomerPN"))));
    w.setLabelText("lblATEID", ateIdText(ateValue("ID")));
    w.setLabelText("lblSWVersion", softwareVersionText(runModel().softwareVersion));
    w.setLabelText("lblCurrentTime", headerClockText(libraryClock().now()));
    w.setLogo(ateValue("CustomerLogo"));
    showRunData();
}

void HeaderControl::showRunData() {
    const RunData& run = runModel().run;
    window_->setLabelText("lblOperatorID", operatorText(run.operatorId));
    window_->setLabelText("lblSerialNumber", serialNumberText(run.serialNumber));
    window_->setLabelText("lblTestID", testIdText(run.testId));
}

bool HeaderControl::runActive() const {
    return runModel().standing.active;
}

void HeaderControl::setStartEnabled(bool enabled) {
    state_.startEnabled = enabled;
    window_->setStartAndPrintEnabled(enabled);
}

void HeaderControl::setExitMeansAbort(bool abort) {
    state_.exitMeansAbort = abort;
    window_->setExitCaption(abort);
}

void HeaderControl::disableStarts() {
    state_.startEnabled = false;
    state_.exitMeansAbort = true;
    window_->showRunActive(true);
    window_->showUntestedLines({});
    setGroupStartsEnabled(false);
}

void HeaderControl::showRunStarted() {
    disableStarts();
    window_->focusExit();
}

void HeaderControl::showRunEnded(bool groupStartsEnabled) {
    state_.startEnabled = true;
    state_.exitMeansAbort = false;
    window_->showRunActive(false);
    setGroupStartsEnabled(groupStartsEnabled && !groupStartsDisabled_);
    state_.runEnded = true;
    showVerdict();
}

void HeaderControl::setPassFailHidden(bool hidden) {
    passFailHidden_ = hidden;
    showVerdict();
}

void HeaderControl::showPages() {
    const int pageCount = std::max(1, static_cast<int>(runModel().layout.pageTable.size()));
    window_->showPageControls(pageCount > 1);
    window_->showPageNumber(std::max(0, runSession().shownPage) + 1, pageCount);
    const PageFailHints hints = pageFailHints(runModel(), std::max(0, runSession().shownPage));
    window_->showPageFailMarks(hints.before, hints.after);
}

// ---- The operator's actions --------------------------------------------

void HeaderControl::pressStartTest() {
    if (runActive())
        return;
    refreshStatus();
    beginUnitVerdict();
    runModel().standing.active = true;
    showRunStarted();
    showVerdict();
    runModel().run.startTime = libraryClock().now();
    // The station program tests inside AllTestClick; a group start must not
    // begin meanwhile.
    testAllRunning_ = true;
    const QPointer<HeaderControl> alive(this);
    emit notified(QStringLiteral("TestAll"));
    if (alive)
        testAllRunning_ = false;
}

bool HeaderControl::confirm(const QString& question) {
    if (questionOpen_)
        return false;
    questionOpen_ = true;
    const QPointer<HeaderControl> alive(this);
    const int answer =
        sharedUtility().InfoBox(question, vbOKCancel, false, nullptr, false, Center, false);
    if (!alive)
        return false;
    questionOpen_ = false;
    return answer == ResultOK;
}

void HeaderControl::pressExit() {
    const bool abort = state_.exitMeansAbort;
    if (!confirm(abort ? HeaderMessages::abortQuestion() : HeaderMessages::exitQuestion()))
        return;
    state_.runEnded = true;
    if (!abort) {
        emit notified(QStringLiteral("Exit"));
        return;
    }
    const QPointer<HeaderControl> alive(this);
    emit notified(QStringLiteral("Abort"));
    if (alive)
        recordEndTestTime(runModel().run.product);
}

// The report prints the results file's OverallPassFail as its verdict: for a
// report printed by hand it says so, and the run's own verdict comes back
// afterwards. Without a results file nothing is written, so that a print
// does not leave a results file of a unit that was never tested.
void HeaderControl::pressPrint() {
    if (!confirm(HeaderMessages::printQuestion()))
        return;
    const QPointer<HeaderControl> alive(this);
    ClockTimer& clock = window_->clockTimer();
    const bool clockWasRunning = clock.isActive();
    clock.stop();
    const QString product = runModel().run.product;
    const bool marked = !product.isEmpty() && stationFileExists(StationFile::Results);
    const QString kept = marked ? readOverallPassFail(product) : QString();
    if (marked)
        reportWrite(writeOverallPassFail(product, HeaderMessages::printedManually()));
    requestReport(marked ? HeaderMessages::printedManually() : QString());
    if (marked)
        reportWrite(writeOverallPassFail(product, kept));
    if (!alive)
        return;
    emit notified(QStringLiteral("Print"));
    if (alive && clockWasRunning && open_)
        clock.start();
}

void HeaderControl::turnPage(int step) {
    const int pageCount = static_cast<int>(runModel().layout.pageTable.size());
    const int target = std::max(0, runSession().shownPage) + step;
    if (target < 0 || target >= pageCount)
        return;
    showMenuPage(target);
    showPages();
    emit notified(step > 0 ? QStringLiteral("PageNext") : QStringLiteral("PagePrevious"));
}

void HeaderControl::chooseMenuEntry(HeaderWindow::MenuEntry entry) {
    using Entry = HeaderWindow::MenuEntry;
    switch (entry) {
    case Entry::OpenAteIni:
        sharedUtility().OpenINI(true);
        emit notified(QStringLiteral("Open ATE.ini"));
        return;
    case Entry::OpenProductsIni:
        sharedUtility().OpenINI(false);
        emit notified(QStringLiteral("Open Products.ini"));
        return;
    case Entry::OpenLastReport:
        openWithDesktop(reportFilePath());
        return;
    case Entry::Calibration:
        emit notified(QStringLiteral("Calibration"));
        return;
    case Entry::Diagnostic:
        emit notified(QStringLiteral("Diagnostic"));
        return;
    case Entry::ShowCabinet:
        emit notified(QStringLiteral("Show Cabinet"));
        return;
    case Entry::Hide:
        emit notified(QStringLiteral("Hide"));
        return;
    case Entry::About: {
        const QPointer<HeaderControl> alive(this);
        sharedUtility().ShowAbout();
        if (alive)
            emit notified(QStringLiteral("About"));
        return;
    }
    }
}

// ---- Timers ----------------------------------------------------------------

void HeaderControl::clockTick() {
    window_->setLabelText("lblCurrentTime", headerClockText(libraryClock().now()));
    // A failed write of OverallPassFail is not shown: the next tick writes
    // again, and a message every 400 ms would bury the operator.
    refreshOverallVerdict(runActive());
    showRunData();
    blinkOn_ = !blinkOn_;
    showVerdict();
    showElapsedTime();
    refreshStatus();
}

void HeaderControl::showVerdict() {
    window_->showVerdictPictures(
        verdictPictures(runModel().overallVerdict, runActive(), passFailHidden_, blinkOn_));
}

void HeaderControl::showElapsedTime() {
    if (state_.runEnded)
        return;
    const QString shown = elapsedText(runModel().run.startTime, libraryClock().now());
    state_.elapsed = elapsedFromText(shown);
    window_->setLabelText("lblHPU_1", shown);
}

void HeaderControl::refreshStatus() {
    const QString product = runModel().run.product;
    const bool databaseFailed =
        !product.isEmpty() && readLastAccessDatabase(product) == QLatin1String("FAIL");
    window_->showStatus(
        network_.refresh([] { return ateValue("CheckNetworkDrive"); }, databaseFailed));
}

// The station program tests the group inside GroupTestClick and may let
// events run meanwhile; a start asked for then must not begin a second run.
void HeaderControl::startGroup(const QString& groupName) {
    if (!open_ || groupStartRunning_ || testAllRunning_ || groupName.isEmpty())
        return;
    groupStartRunning_ = true;
    beginUnitVerdict();
    runModel().standing.active = true;
    disableStarts();
    showVerdict();
    state_.runEnded = false;
    const QPointer<HeaderControl> alive(this);
    emit groupStartNotified(groupName);
    if (alive)
        groupStartRunning_ = false;
}

} // namespace XQTestDev
