#include "VirtualDemo.h"

#include <XQTestDev/XQLEDBar32.h>
#include <XQTestDev/XQUtility32.h>
#include <XQTestDev/XQVirtualDevice32.h>

#include <QEventLoop>
#include <QStringList>
#include <QTimer>

using namespace XQTestDev;

namespace {

// One numbered test line of a product: field, min, max, target,
// unit, group, parameter, custom flag.
struct TestLine {
    QString parameter;
    QString unit;
    double min = 0;
    double max = 0;
    bool found = false;
};

TestLine readTestLine(XQUtility32& utility, const QString& product, int number) {
    const QStringList fields =
        utility.ReadINI(false, product + QStringLiteral(" Spec"), QString::number(number))
            .split(QLatin1Char(','));
    TestLine line;
    if (fields.size() < 7)
        return line;
    bool minRead = false;
    bool maxRead = false;
    line.min = fields[1].trimmed().toDouble(&minRead);
    line.max = fields[2].trimmed().toDouble(&maxRead);
    line.unit = fields[4].trimmed();
    line.parameter = fields[6].trimmed();
    line.found = minRead && maxRead && line.min < line.max;
    return line;
}

QString firstProduct(XQUtility32& utility) {
    return utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("TestProduct"))
        .section(QLatin1Char(','), 0, 0)
        .trimmed();
}

// The operator reads the ripple on the scope; the panel judges it and waits
// for OK or Cancel.
void readOnVirtualDevice(const TestLine& line, const DemoSession& session) {
    XQVirtualDevice32 device;
    device.setCaption(line.parameter + QStringLiteral(": read it on the scope, then OK"));
    device.setCabReference(QStringLiteral("Ripple meter"));
    device.setSuffix(line.unit);
    device.setMin(line.min);
    device.setMax(line.max);
    device.setPosition(Center);
    device.Show();

    QEventLoop answered;
    QString pressed;
    QObject::connect(&device, &XQVirtualDevice32::OKClick, [&] {
        pressed = QStringLiteral("OK");
        answered.quit();
    });
    QObject::connect(&device, &XQVirtualDevice32::CancelClick, [&] {
        pressed = QStringLiteral("Cancel");
        answered.quit();
    });
    const double reading = 38.4;
    device.SendValue(reading, 1);
    session.answerNextWindow(QStringLiteral("frmVirtualDevice"), QStringLiteral("cmdOK"));
    if (session.automatic) // never wait for an answer that cannot come
        QTimer::singleShot(10000, &answered, &QEventLoop::quit);
    answered.exec();
    report(QStringLiteral("  %1 = %2 %3 on the virtual device (limits %4 to %5) -> %6, operator "
                          "pressed %7")
               .arg(line.parameter)
               .arg(device.Value(), 0, 'f', 1)
               .arg(line.unit)
               .arg(line.min)
               .arg(line.max)
               .arg(device.IsPassed() ? QStringLiteral("Pass") : QStringLiteral("Fail"), pressed));
    device.Done();
}

// The output voltage is trimmed into its band while the bar follows; the
// scale reaches two bands either side of it.
void trimOnLedBar(XQUtility32& utility, const TestLine& line, const DemoSession& session) {
    const double band = line.max - line.min;
    XQLEDBar32 bar;
    bar.setScaleMin(line.min - 2 * band);
    bar.setScaleMax(line.max + 2 * band);
    bar.setMin(line.min);
    bar.setMax(line.max);
    bar.setDecimalPoint(3);
    bar.setSuffix(line.unit);
    bar.setCabReference(QStringLiteral("VOUT trim"));
    bar.setPosition(CenterDown);
    int changes = 0;
    QObject::connect(&bar, &XQLEDBar32::ValueChanged, [&changes] { ++changes; });
    bar.Show(!session.automatic);

    // The trimmer turns from low towards the target, overshoots a little and
    // settles.
    const double target = (line.min + line.max) / 2;
    double voltage = line.min - 1.8 * band;
    for (int step = 0; step < 40; ++step) {
        voltage += (target + 0.002 - voltage) * 0.2;
        bar.SendValue(voltage);
        utility.Delay(session.automatic ? 0.02 : 0.1);
        if (step == 2 || step == 39)
            saveScreen(QStringLiteral("led-bar-step-%1").arg(step));
    }
    report(QStringLiteral("  %1 trimmed to %2 %3 on the LED bar (%4 changes reported) -> %5")
               .arg(line.parameter)
               .arg(bar.Value(), 0, 'f', 3)
               .arg(line.unit)
               .arg(changes)
               .arg(bar.IsPassed() ? QStringLiteral("Pass") : QStringLiteral("Fail")));
    utility.Delay(session.automatic ? 0.1 : 2.0);
    bar.Done();
}

} // namespace

void useVirtualInstruments(XQUtility32& utility, const DemoSession& session) {
    const QString product = firstProduct(utility);
    const TestLine ripple = readTestLine(utility, product, 9);
    const TestLine output = readTestLine(utility, product, 6);
    if (!ripple.found || !output.found) {
        report(QStringLiteral("Virtual instruments: %1 has no lines 6 and 9 with limits")
                   .arg(product));
        return;
    }
    report(QStringLiteral("Virtual instruments on %1:").arg(product));
    readOnVirtualDevice(ripple, session);
    trimOnLedBar(utility, output, session);
}
