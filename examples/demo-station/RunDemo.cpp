#include "RunDemo.h"

#include "DemoSession.h"
#include "HeaderDemo.h"

#include <XQTestDev/XQGPIB32.h>
#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include <QDir>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>
#include <QVariant>

using namespace XQTestDev;

namespace {

// What the bench measures on a 5 V power-supply board, line by line. Three
// readings are out of their limits, so the unit fails.
struct Reading {
    const char* group;
    const char* parameter;
    QVariant value;
};

const Reading Readings[] = {
    {"Power", "Input current idle", 0.042},
    {"Power", "Input current full load", 1.18},
    {"Power", "Input undervoltage lockout", 9.7},
    {"Power", "Power good signal", QStringLiteral("PASS")},
    {"Power", "Reference voltage", 2.501},
    {"Output", "Output voltage no load", 5.01},
    {"Output", "Output voltage half load", 4.99},
    {"Output", "Output voltage full load", 4.97},
    {"Output", "Output ripple", 62},
    {"Output", "Output noise", 38},
    {"Output", "Line regulation", 0.12},
    {"Output", "Load regulation", -0.4},
    {"Output", "Efficiency full load", 83.5},
    {"Protection", "Overcurrent trip point", 2.55},
    {"Protection", "Overvoltage trip point", 5.92},
    {"Protection", "Overtemperature trip", 104},
    {"Protection", "Short-circuit recovery", QStringLiteral("Pass")},
    {"Protection", "Reverse polarity protection", QStringLiteral("FAIL")},
    {"Functional", "Soft-start time", 2.8},
    {"Functional", "Turn-on overshoot", 1.2},
    {"Functional", "Load transient deviation", 95},
    {"Functional", "Load transient recovery", 120},
    {"Functional", "Switching frequency", 502},
    {"Functional", "Power LED", QStringLiteral("On")},
    {"Functional", "Firmware version", QStringLiteral("1.4.2")},
};

// Lets the library's windows and timers run, as a station program does while
// it waits for an instrument.
void letEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The library keeps the results file in the Windows folder: $WinDir, or where
// no such variable exists, its own folder under the user's data location.
QString resultsFilePath() {
    QString folder = qEnvironmentVariable("WinDir");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/XQTestDev");
    return QDir::cleanPath(folder + QStringLiteral("/XQResults.ini"));
}

// The bench's multimeter (address 22 on the simulated bus) measures the output
// with no load, so the run's record names the instrument that took it.
QVariant readOutputOnMultimeter() {
    XQGPIB32 dmm;
    dmm.setDeviceName(22);
    dmm.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
    dmm.setUnit(QStringLiteral("V"));
    dmm.setPanelHide(true);
    dmm.Execute();
    if (dmm.ErrorStatus())
        return QStringLiteral("FAIL");
    return dmm.Value();
}

void measureEveryLine(XQMenu32& menu) {
    for (const Reading& reading : Readings) {
        const QString group = QString::fromUtf8(reading.group);
        const QString parameter = QString::fromUtf8(reading.parameter);
        // The operator sees which line is being measured.
        menu.SendData(group, parameter, QStringLiteral("TESTING"));
        letEventsRun(10);
        const QVariant value = parameter == QLatin1String("Output voltage no load")
                                   ? readOutputOnMultimeter()
                                   : reading.value;
        const bool passed = menu.SendData(group, parameter, value);
        report(QStringLiteral("  %1 / %2 = %3 -> %4")
                   .arg(group, parameter, value.toString(),
                        passed ? QStringLiteral("Pass") : QStringLiteral("Fail")));
    }
}

} // namespace

bool testOneUnit(XQUtility32& utility, XQMenu32& menu, const DemoSession& session) {
    const QString product = menu.TestProduct();
    if (product.isEmpty()) {
        report(QStringLiteral("No product chosen; no unit tested."));
        return false;
    }
    menu.setEnableTestPrompt(!session.automatic);
    menu.ShowMenu();
    report(QStringLiteral("Testing %1, serial number %2").arg(product, menu.SerialNumber()));
    // The station measures inside AllTestClick, raised when Start Test is
    // pressed on the header.
    bool measured = false;
    const QMetaObject::Connection measuring =
        QObject::connect(&menu, &XQMenu32::AllTestClick, [&](const QString& started) {
            report(QStringLiteral("AllTestClick(%1)").arg(started));
            measureEveryLine(menu);
            measured = true;
        });
    pressStartTest(session, [&] { return measured; });
    QObject::disconnect(measuring);
    letEventsRun(session.automatic ? 600 : 3000);
    saveScreen(QStringLiteral("run-measured"));
    // StopTest settles the unit's verdict: what follows reads it at once.
    menu.StopTest();
    saveScreen(QStringLiteral("run-stopped"));
    report(QStringLiteral("Overall verdict: %1").arg(menu.OverallPassFail()));
    report(QStringLiteral("Results file: %1 (OverallPassFail=%2)")
               .arg(resultsFilePath(),
                    utility.ReadINI(false, product + QStringLiteral(" Test Results"),
                                    QStringLiteral("OverallPassFail"))));
    return true;
}
