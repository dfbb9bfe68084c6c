// A station program for the demo bench: it uses the library the way a test
// engineer's program does. Run with --auto (or without a display) and it
// answers its own dialogs and runs offscreen.

#include "DashboardDemo.h"
#include "DatabaseDemo.h"
#include "DemoSession.h"
#include "EntryDemo.h"
#include "HeaderDemo.h"
#include "InstrumentDemo.h"
#include "ReportDemo.h"
#include "RunDemo.h"
#include "VirtualDemo.h"
#include "WindowsDemo.h"

#include <XQTestDev/XQTestDev.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

using namespace XQTestDev;

namespace {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Messages of the library are printed; in automatic mode they are answered
// with their first button instead of waiting for an operator.
void printMessagesInAutomaticMode(const DemoSession& session) {
    if (!session.automatic)
        return;
    setMessageHandler([](const MessageRequest& request) {
        report(QStringLiteral("  message: %1").arg(request.text.simplified()));
        switch (request.buttons) {
        case MessageButtons::YesNo:
            return static_cast<int>(ResultYes);
        case MessageButtons::RetryCancel:
            return static_cast<int>(ResultRetry);
        default:
            return static_cast<int>(ResultOK);
        }
    });
}

void showStationConfiguration(XQUtility32& utility, const DemoSession& session) {
    utility.setINIPath(session.stationDirectory);
    utility.setAppPath(session.stationDirectory);
    report(QStringLiteral("XQTestDev library version %1").arg(utility.GetDLLVersion()));
    report(QStringLiteral("INI directory: %1").arg(utility.INIPath()));
    report(
        QStringLiteral("Station ID: %1")
            .arg(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"))));
    const QString products =
        utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("TestProduct"));
    report(QStringLiteral("Products: %1").arg(products));
    report(QStringLiteral("ATE.INI version: %1").arg(utility.GetINIVersion()));
    for (const QString& product : products.split(QLatin1Char(','), Qt::SkipEmptyParts))
        report(QStringLiteral("%1 version: %2")
                   .arg(product.trimmed(), utility.GetINIVersion(product.trimmed())));
}

void askOperatorReady(XQUtility32& utility, const DemoSession& session) {
    session.answerNextWindow(QStringLiteral("frmGeneralInfoBox"), QStringLiteral("cmdButtonSet_2"));
    const int answer =
        utility.InfoBox(QStringLiteral("Is the unit seated in the fixture?"), vbYesNo);
    report(QStringLiteral("Operator answered %1")
               .arg(answer == ResultYes ? QStringLiteral("Yes") : QStringLiteral("No")));
}

// The sample station folder is part of the source tree; the demo works on a
// copy of it so that accepted checksums never change the checked-in files.
// A copy is refreshed when the sample is newer, and kept otherwise, so the
// checksums accepted on the first run stay accepted.
QString workingCopyOfSampleStation() {
    const QString target = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/XQTestDev/demo-station");
    QDir().mkpath(target);
    const QDir sample(QStringLiteral(XQ_DEMO_STATION_DIR));
    for (const QFileInfo& file : sample.entryInfoList(QDir::Files)) {
        const QFileInfo copy(target + QLatin1Char('/') + file.fileName());
        if (copy.exists() && copy.lastModified() >= file.lastModified())
            continue;
        QFile::remove(copy.filePath());
        QFile::copy(file.filePath(), copy.filePath());
        QFile::setPermissions(copy.filePath(), QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ReadGroup | QFile::ReadOther);
    }
    return target;
}

// Offscreen, the platform cannot raise or lower windows and says so for
// every window the library brings to the front; that is no news to anyone
// watching a headless run.
void quietenOffscreenPlatform() {
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (text.startsWith(QLatin1String("This plugin does not support")) ||
                text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
                return;
            if (previous)
                previous(type, context, text);
        });
}

} // namespace

int main(int argc, char** argv) {
    const bool headless = !hasDisplay();
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        quietenOffscreenPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("XQTestDev Demo Station"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo station program for XQTestDev"));
    parser.addHelpOption();
    const QCommandLineOption automaticOption(QStringLiteral("auto"),
                                             QStringLiteral("Answer every dialog automatically."));
    const QCommandLineOption stationOption(
        QStringLiteral("station"), QStringLiteral("Station folder with ATE.INI and PRODUCTS.INI."),
        QStringLiteral("dir"));
    const QCommandLineOption dashboardOption(
        QStringLiteral("dashboard"),
        QStringLiteral("At the end, serve the station's database with xq-dashboard, ask it once "
                       "and print its figures."));
    parser.addOptions({automaticOption, stationOption, dashboardOption});
    parser.process(app);

    DemoSession session;
    session.automatic = parser.isSet(automaticOption) || headless;
    session.stationDirectory = parser.isSet(stationOption)
                                   ? QDir(parser.value(stationOption)).absolutePath()
                                   : workingCopyOfSampleStation();
    report(
        QStringLiteral("Demo station (%1)")
            .arg(session.automatic ? QStringLiteral("automatic") : QStringLiteral("interactive")));
    printMessagesInAutomaticMode(session);
    // In automatic mode the demo plays the operator at the real windows, on
    // screen or off it.
    setHeadlessWindowsDriven(session.automatic);

    XQUtility32 utility;
    showStationConfiguration(utility, session);
    askOperatorReady(utility, session);
    measureOnTheBench(session);
    XQMenu32 menu;
    enterUnitData(utility, menu, session);
    // A demo that tested no unit has shown nothing of what it is for.
    if (!testOneUnit(utility, menu, session))
        return 1;
    useVirtualInstruments(utility, session);
    storeUnitInDatabase(menu, session);
    printUnitReport(menu, session);
    demonstrateGroupStartAndAbort(menu, session);
    showSharedWindows(utility, menu, session);
    if (parser.isSet(dashboardOption))
        showFleetView(session);
    report(QStringLiteral("Demo station finished."));
    return 0;
}
