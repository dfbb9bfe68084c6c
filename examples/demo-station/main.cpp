// A station program for the demo bench: it uses the library the way a test
// engineer's program does. Run with --auto (or without a display) and it
// answers its own dialogs and runs offscreen.

#include "DemoSession.h"
#include "EntryDemo.h"
#include "ReportDemo.h"
#include "RunDemo.h"
#include "WindowsDemo.h"

#include <XQTestDev/XQTestDev.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

using namespace XQTestDev;

namespace {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Messages of the library are printed; in automatic mode they are answered
// with their first button instead of waiting for an operator.
void printMessagesInAutomaticMode(const DemoSession& session) {
    if (!session.automatic)
        return;
    setMessageHandler([](const MessageRequest& request) {
        report(QStringLiteral("  message: %1").arg(request.text.simplified()));
        switch (request.buttons) {
        case MessageButtons::YesNo: return static_cast<int>(ResultYes);
        case MessageButtons::RetryCancel: return static_cast<int>(ResultRetry);
        default: return static_cast<int>(ResultOK);
        }
    });
}

void showStationConfiguration(XQUtility32& utility, const DemoSession& session) {
    utility.setINIPath(session.stationDirectory);
    utility.setAppPath(session.stationDirectory);
    report(QStringLiteral("XQTestDev library version %1").arg(utility.GetDLLVersion()));
    report(QStringLiteral("INI directory: %1").arg(utility.INIPath()));
    report(QStringLiteral("Station ID: %1")
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
    const int answer = utility.InfoBox(QStringLiteral("Is the unit seated in the fixture?"), vbYesNo);
    report(QStringLiteral("Operator answered %1").arg(answer == ResultYes ? QStringLiteral("Yes")
                                                                          : QStringLiteral("No")));
}

} // namespace

int main(int argc, char** argv) {
    const bool headless = !hasDisplay();
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("XQTestDev Demo Station"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo station program for XQTestDev"));
    parser.addHelpOption();
    const QCommandLineOption automaticOption(QStringLiteral("auto"),
                                             QStringLiteral("Answer every dialog automatically."));
    const QCommandLineOption stationOption(QStringLiteral("station"),
                                           QStringLiteral("Station folder with ATE.INI and PRODUCTS.INI."),
                                           QStringLiteral("dir"), QStringLiteral(XQ_DEMO_STATION_DIR));
    parser.addOptions({automaticOption, stationOption});
    parser.process(app);

    DemoSession session;
    session.automatic = parser.isSet(automaticOption) || headless;
    session.stationDirectory = QDir(parser.value(stationOption)).absolutePath();
    report(QStringLiteral("Demo station (%1)").arg(session.automatic ? QStringLiteral("automatic")
                                                                      : QStringLiteral("interactive")));
    printMessagesInAutomaticMode(session);

    XQUtility32 utility;
    showStationConfiguration(utility, session);
    askOperatorReady(utility, session);
    XQMenu32 menu;
    enterUnitData(utility, menu, session);
    testOneUnit(utility, menu, session);
    printUnitReport(menu, session);
    showSharedWindows(utility, menu, session);
    report(QStringLiteral("Demo station finished."));
    return 0;
}
