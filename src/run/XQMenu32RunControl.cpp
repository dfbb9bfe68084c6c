// How XQMenu32 starts, stops and follows a run from its header: StartAllTest
// and the menu object's reaction to each of the header's notifications.

#include <XQTestDev/XQMenu32.h>

#include "config/IntegrityCheck.h"
#include "frame/Clock.h"
#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "run/HeaderControl.h"
#include "run/HeaderMessages.h"
#include "run/OverallVerdict.h"
#include "run/ResultsFile.h"
#include "run/RunAbort.h"
#include "run/RunRecordBuilder.h"
#include "run/RunSession.h"
#include "run/XQMenu32Header.h"
#include "run/XQMenu32Private.h"
#include "ui/Cabinet.h"

#include <QHash>
#include <QPointer>

#include <functional>

namespace XQTestDev {

namespace {

QString currentProduct() {
    return runModel().run.product;
}

void startAllFromHeader(XQMenu32& menu, XQMenu32Private& d) {
    noteRunStartedBy(menu, d);
    if (resetRunAndHeader(d))
        menu.ShowMenu();
    d.header->setRunEnded(false);
    beginRunRecord();
    emit menu.AllTestClick(currentProduct());
}

void showMenuAgain(XQMenu32& menu) {
    menu.ShowMenu();
}

// The header goes to the cabinet loaded, its clock running; taking it out
// again (a shelf without a size asks for the menu) shows the menu.
void hideIntoCabinet(XQMenu32& menu, XQMenu32Private& d) {
    resetRunAndHeader(d);
    d.header->close();
    d.header->open();
    Cabinet& shelves = cabinet();
    if (!d.menuShowConnection) {
        // Queued: the menu shows once the cabinet's menu has closed.
        d.menuShowConnection = QObject::connect(
            &shelves, &Cabinet::menuShowRequested, d.header,
            [&menu, &d](QWidget* window) {
                if (d.header->isOpen() && window == &d.header->window())
                    showMenuAgain(menu);
            },
            Qt::QueuedConnection);
    }
    shelves.addToCabinet(d.header->window(), QStringLiteral("Test Menu"));
    emit menu.Hide();
}

using Reaction = std::function<void(XQMenu32&, XQMenu32Private&)>;

const QHash<QString, Reaction>& reactions() {
    static const QHash<QString, Reaction> table = {
        {QStringLiteral("TestAll"), startAllFromHeader},
        {QStringLiteral("Abort"), abortRun},
        {QStringLiteral("Exit"),
         [](XQMenu32& m, XQMenu32Private&) {
             runModel().standing.active = false;
             emit m.ExitClick();
         }},
        {QStringLiteral("PageNext"),
         [](XQMenu32& m, XQMenu32Private&) { emit m.PageNextClick(currentProduct()); }},
        {QStringLiteral("PagePrevious"),
         [](XQMenu32& m, XQMenu32Private&) { emit m.PagePreviousClick(currentProduct()); }},
        {QStringLiteral("Print"), [](XQMenu32& m, XQMenu32Private&) { emit m.PrintClick(); }},
        {QStringLiteral("Hide"), hideIntoCabinet},
        {QStringLiteral("Logo"), [](XQMenu32& m, XQMenu32Private&) { emit m.LogoDoubleClick(); }},
        {QStringLiteral("Show Cabinet"),
         [](XQMenu32&, XQMenu32Private&) { cabinet().showCabinet(); }},
        {QStringLiteral("Calibration"),
         [](XQMenu32& m, XQMenu32Private&) { emit m.CalibrationClick(); }},
        {QStringLiteral("Diagnostic"),
         [](XQMenu32& m, XQMenu32Private&) { emit m.DiagnosticClick(); }},
    };
    return table;
}

void reactToHeader(XQMenu32& menu, XQMenu32Private& d, const QString& item) {
    const auto reaction = reactions().constFind(item);
    if (reaction != reactions().constEnd())
        (*reaction)(menu, d);
}

} // namespace

void createHeader(XQMenu32& menu, XQMenu32Private& d) {
    d.header = new HeaderControl(&menu);
    QObject::connect(d.header, &HeaderControl::notified, &menu,
                     [&menu, &d](const QString& item) { reactToHeader(menu, d, item); });
    QObject::connect(d.header, &HeaderControl::groupStartNotified, &menu,
                     [&menu, &d](const QString& group) {
                         noteRunStartedBy(menu, d);
                         emit menu.GroupTestClick(currentProduct(), group);
                     });
    // The group windows belong to the menu object that built them: its header
    // starts their groups.
    // Queued: the test runs once the Start button's click is over, as a
    // start of the operator's own does.
    QObject::connect(
        &runModel(), &RunModel::groupStartRequested, d.header,
        [&menu, &d](const QString& group) {
            if (runSession().owner == &menu)
                d.header->startGroup(group);
        },
        Qt::QueuedConnection);
}

bool XQMenu32::StartAllTest() {
    RunData& run = runModel().run;
    if (run.product.isEmpty()) {
        showExclamation(HeaderMessages::productNotFound());
        return false;
    }
    // A second start inside a running test would wipe the results it is
    // recording.
    if (d->header->runActive())
        return false;
    if (!configurationReleasedForRun())
        return false;
    ATEID();
    beginUnitVerdict();
    if (!run.startTime.isValid())
        run.startTime = libraryClock().now();
    if (resetResults(run))
        writeRunHeader(run);
    d->header->pressStartTest();
    return true;
}

} // namespace XQTestDev
