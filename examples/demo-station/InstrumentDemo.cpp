#include "InstrumentDemo.h"

#include <XQTestDev/XQGPIB32.h>

#include <QEventLoop>
#include <QTimer>

using namespace XQTestDev;

namespace {

void letEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void scanTheBus() {
    XQGPIB32 scanner;
    QVariantList found;
    scanner.ScanDevices(found);
    report(QStringLiteral("GPIB bus scan: %1 instrument(s)").arg(found.size()));
    for (const QVariant& entry : found)
        report(QStringLiteral("  %1").arg(entry.toString()));
}

// The supply feeds the board at 12 V; its panel shows the input current.
void setUpSupply(XQGPIB32& supply) {
    supply.setDeviceName(5);
    supply.setInitCommand1(QStringLiteral("VOLT 12.0"));
    supply.setInitCommand2(QStringLiteral("OUTP ON"));
    supply.setReadCommand(QStringLiteral("MEAS:CURR?"));
    supply.setUnit(QStringLiteral("A"));
    supply.setPanelOption(QStringLiteral("Output 1"));
    supply.setPanelParameter(QStringLiteral("Input current"));
    supply.setReadInterval(250);
    supply.setPanelPosition(RightUp);
}

// The multimeter, found by its configured name, reads the board's 5 V rail.
void setUpMultimeter(XQGPIB32& multimeter) {
    multimeter.setDeviceName(QStringLiteral("DMM"));
    multimeter.setInitCommand1(QStringLiteral("CONF:VOLT:DC 10"));
    multimeter.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
    multimeter.setUnit(QStringLiteral("V"));
    multimeter.setPanelOption(QStringLiteral("DC volts"));
    multimeter.setPanelParameter(QStringLiteral("Output 5 V rail"));
    multimeter.setDigitColor(0x0000FF);
    multimeter.setReadInterval(200);
    multimeter.setPanelPosition(RightDown);
}

// A multimeter on the LAN (raw SCPI socket, as LXI instruments offer on port
// 5025) reads the board's input current beside the GPIB instruments; the
// simulated one is served on loopback by xq-sim-lan (scripts/run-demo.sh).
void setUpLanMultimeter(XQGPIB32& multimeter) {
    multimeter.setDeviceName(QStringLiteral("TCPIP::127.0.0.50::5025::SOCKET"));
    multimeter.setTimeOut(T3s);
    multimeter.setReadCommand(QStringLiteral("MEAS:CURR:DC?"));
    multimeter.setUnit(QStringLiteral("A"));
    multimeter.setPanelOption(QStringLiteral("LAN"));
    multimeter.setPanelParameter(QStringLiteral("Input current"));
    multimeter.setReadInterval(300);
    multimeter.setPanelPosition(LeftDown);
}

void reportInstrument(const QString& role, const XQGPIB32& device, int readings) {
    if (device.ErrorStatus()) {
        report(QStringLiteral("  %1: not reachable (ErrorStatus)").arg(role));
        return;
    }
    report(QStringLiteral("  %1 %2 %3 at %4: %5 %6 (%7 new readings, last reply %8)")
               .arg(role, device.BrandName(), device.ModelName(), device.ResourceName())
               .arg(device.Value(), 0, 'f', 4)
               .arg(device.Unit())
               .arg(readings)
               .arg(device.RawValue().trimmed()));
}

} // namespace

void measureOnTheBench(const DemoSession& session) {
    Q_UNUSED(session);
    report(QStringLiteral("Bench instruments on GPIB and LAN"));
    scanTheBus();

    XQGPIB32 supply;
    XQGPIB32 multimeter;
    XQGPIB32 lanMultimeter;
    int supplyReadings = 0;
    int multimeterReadings = 0;
    int lanReadings = 0;
    QObject::connect(&supply, &XQGPIB32::ValueChanged, [&] { ++supplyReadings; });
    QObject::connect(&multimeter, &XQGPIB32::ValueChanged, [&] { ++multimeterReadings; });
    QObject::connect(&lanMultimeter, &XQGPIB32::ValueChanged, [&] { ++lanReadings; });
    setUpSupply(supply);
    setUpMultimeter(multimeter);
    setUpLanMultimeter(lanMultimeter);
    supply.Execute();
    multimeter.Execute();
    lanMultimeter.Execute();
    letEventsRun(1500); // the panels read on their own meanwhile
    reportInstrument(QStringLiteral("Supply"), supply, supplyReadings);
    reportInstrument(QStringLiteral("Multimeter"), multimeter, multimeterReadings);
    reportInstrument(QStringLiteral("LAN multimeter"), lanMultimeter, lanReadings);
    supply.Done();
    multimeter.Done();
    lanMultimeter.Done();
}
