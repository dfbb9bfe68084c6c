// Execute step by step at the C boundary: what is sent, in which order, with
// which arguments, and what the object makes of the scripted answers.

#include "GpibFixture.h"
#include "frame/Clock.h"

#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/XQGPIB32.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QByteArray IdentityReply = "ibrd reply=ACME,DM-3065,SN7,1.02\\n\n";

class ExecuteTest : public RecordingDriverTest {
protected:
    void SetUp() override {
        RecordingDriverTest::SetUp();
        device.setDeviceName(22);
        device.setReadCommand(QStringLiteral("MEAS?"));
        device.setUnit(QStringLiteral("V"));
        device.setPanelHide(true);
    }

    // The driver calls that talk to the instrument (no binding calls).
    QStringList busCalls() const {
        QStringList out = calls();
        out.removeIf([](const QString& line) { return line.contains(QLatin1String("Gpib")); });
        return out;
    }
    QString readingText() {
        return XQGPIB32Private::of(device)
            .panel()
            .findChild<QLabel*>(QStringLiteral("lblReadValue"))
            ->text();
    }

    XQGPIB32 device;
};

TEST_F(ExecuteTest, OpensIdentifiesAndTakesOneReading) {
    script(IdentityReply + "ibrd reply=+1.50000E+00\\n\n");
    QSignalSpy changed(&device, &XQGPIB32::ValueChanged);
    device.Execute();
    EXPECT_EQ(
        busCalls(),
        QStringList({QStringLiteral("ibdev(0, 22, 0, 13, 1, 0)"),
                     QStringLiteral("ibwrt(5, \"*IDN?\", 5)"), QStringLiteral("ibrd(5, 65526)"),
                     QStringLiteral("ibwrt(5, \"MEAS?\", 5)"), QStringLiteral("ibrd(5, 65526)")}));
    EXPECT_EQ(device.BrandName(), QStringLiteral("ACME"));
    EXPECT_EQ(device.ModelName(), QStringLiteral("DM-3065"));
    EXPECT_EQ(device.CabReference(), QStringLiteral("ACME DM-3065"));
    EXPECT_DOUBLE_EQ(device.Value(), 1.5);
    EXPECT_EQ(readingText(), QStringLiteral("1.5 V"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_DOUBLE_EQ(changed.at(0).at(0).toDouble(), 1.5);
    EXPECT_EQ(changed.at(0).at(1).value<QVariant>().toString(), QStringLiteral("+1.50000E+00\n"));
    EXPECT_FALSE(device.ErrorStatus());
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ExecuteTest, ASecondExecuteSendsNewInitCommandsButNoIdentification) {
    script(IdentityReply);
    device.Execute();
    forgetCalls();
    device.setInitCommand1(QStringLiteral("*rst"));
    device.setInitCommand3(QStringLiteral("CONF:VOLT:DC 10"));
    device.setWaitForEachCommand(0.01);
    device.Execute();
    EXPECT_EQ(busCalls(), QStringList({QStringLiteral("ibwrt(5, \"*rst\", 4)"),
                                       QStringLiteral("ibwrt(5, \"CONF:VOLT:DC 10\", 15)"),
                                       QStringLiteral("ibwrt(5, \"MEAS?\", 5)"),
                                       QStringLiteral("ibrd(5, 65526)")}));
    EXPECT_TRUE(device.InitCommand1().isEmpty());
    EXPECT_TRUE(device.InitCommand3().isEmpty());
    EXPECT_EQ(device.WaitForEachCommand(), 0.0);
    EXPECT_EQ(device.ReadCommand(), QStringLiteral("MEAS?"));
}

TEST_F(ExecuteTest, AFailingInitCommandStopsAndLeavesEveryCommandSet) {
    script(IdentityReply + "ibwrt\nibwrt\nibwrt sta=0x8100 err=2\n");
    device.setInitCommand1(QStringLiteral("*RST"));
    device.setInitCommand2(QStringLiteral("CONF:VOLT"));
    device.setInitCommand3(QStringLiteral("TRIG:SOUR IMM"));
    device.Execute();
    EXPECT_EQ(busCalls().mid(3), QStringList({QStringLiteral("ibwrt(5, \"*RST\", 4)"),
                                              QStringLiteral("ibwrt(5, \"CONF:VOLT\", 9)")}));
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("GPIB Error: 22 Error detected; I/O completed; Write "
                                          "function detected no listeners; !"),
                           QStringLiteral("Error sending CONF:VOLT command!")}));
    EXPECT_EQ(device.InitCommand1(), QStringLiteral("*RST"));
    EXPECT_EQ(device.InitCommand2(), QStringLiteral("CONF:VOLT"));
    EXPECT_EQ(device.InitCommand3(), QStringLiteral("TRIG:SOUR IMM"));
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_EQ(statusLine(0), QStringLiteral("Found device 22 error!"));
}

TEST_F(ExecuteTest, ANameOpensThroughIbfindAndTheIdentityQueryCanBeChosen) {
    script("ibfind ret=9\nibrd reply=MAKER,PSU-2,1,2\n");
    device.setDeviceName(QStringLiteral("PSU"));
    device.setIDcommand(QStringLiteral("ID?"));
    device.setReadCommand(QString());
    device.Execute();
    EXPECT_EQ(busCalls(), QStringList({QStringLiteral("ibfind(\"PSU\")"),
                                       QStringLiteral("ibwrt(9, \"ID?\", 3)"),
                                       QStringLiteral("ibrd(9, 65526)")}));
    EXPECT_EQ(readingText(), QStringLiteral("--.-- V"));
}

TEST_F(ExecuteTest, AFailedOpenIsReportedAndTriedAgainNextTime) {
    script("ibfind ret=-1 sta=0x8000 err=0\n");
    device.setDeviceName(QStringLiteral("NOSUCH"));
    device.Execute();
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("GPIB Error: NOSUCH Error detected; DOS error; !"),
                           QStringLiteral("Error sending ibfind or ibclr command!")}));
    EXPECT_EQ(statusLine(0), QStringLiteral("Found device NOSUCH error!"));
    forgetCalls();
    device.Execute();
    EXPECT_EQ(busCalls().value(0), QStringLiteral("ibfind(\"NOSUCH\")"));
}

TEST_F(ExecuteTest, FailedIdentificationNamesTheCommand) {
    script("ibwrt sta=0xC100 err=6\n");
    device.setIDcommand(QStringLiteral("ID?"));
    device.Execute();
    EXPECT_EQ(recorder->texts().value(1), QStringLiteral("Error sending *IDN or ID? command!"));
}

TEST_F(ExecuteTest, WithMessagesDisabledADriverErrorIsOnlyInErrorStatus) {
    script("ibdev sta=0x8000 err=7\n");
    device.setDisableErrMessage(true);
    device.setReadCommand(QString());
    device.Execute();
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_TRUE(device.ErrorStatus());
}

TEST_F(ExecuteTest, ADriverErrorInAReadingStopsReadingUntilTheProgramClearsErrorStatus) {
    script(IdentityReply + "ibwrt\nibwrt sta=0xC100 err=6\n");
    device.setDeviceName(QStringLiteral("DMM"));
    device.Execute();
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("GPIB Error: DMM Error detected; Timeout; I/O "
                                          "completed; I/O operation aborted; !"),
                           QStringLiteral("Found device DMM error!")}));
    EXPECT_EQ(statusLine(0), QStringLiteral("GPIB error, device DMM"));
    EXPECT_EQ(statusLine(1), QString());
    DevicePanel& panel = XQGPIB32Private::of(device).panel();
    EXPECT_FALSE(panel.findChild<ClockTimer*>(QStringLiteral("tmrReadValueInterval"))->isActive());

    // While ErrorStatus stays set, Execute refuses: its timer stays still and
    // no cycle reaches the instrument, however long the panel waits.
    ManualClock clock;
    forgetCalls();
    device.setReadInterval(100);
    device.Execute();
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_EQ(statusLine(0), QStringLiteral("Found device DMM error!"));
    EXPECT_FALSE(panel.findChild<ClockTimer*>(QStringLiteral("tmrReadValueInterval"))->isActive());
    clock.advance(350);
    EXPECT_TRUE(busCalls().isEmpty()) << busCalls().join(QLatin1Char('\n')).toStdString();

    // The program clears ErrorStatus: the next Execute reads again, with a new
    // reader, and its timer keeps reading.
    script("ibrd reply=+5.01E+00\\n\nibrd reply=+5.02E+00\\n\nibrd reply=+5.03E+00\\n\n");
    device.setErrorStatus(false);
    device.Execute();
    EXPECT_FALSE(device.ErrorStatus());
    clock.advance(250);
    EXPECT_GE(busCalls().filter(QStringLiteral("ibrd")).size(), 2)
        << busCalls().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ExecuteTest, SimulateModeMakesNoDriverCallAndRaisesEachNewValue) {
    device.setSimulateMode(true);
    device.setInitCommand1(QStringLiteral("*RST"));
    device.setReadInterval(100);
    QSignalSpy changed(&device, &XQGPIB32::ValueChanged);
    device.Execute();
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 3, 3000);
    EXPECT_TRUE(calls().isEmpty());
    EXPECT_TRUE(device.InitCommand1().isEmpty());
    EXPECT_EQ(statusLine(1), QStringLiteral("Simulate mode is running ..."));
    for (const QList<QVariant>& event : changed) {
        EXPECT_GE(event.at(0).toDouble(), 0.0);
        EXPECT_LT(event.at(0).toDouble(), 1.0);
    }
}

TEST_F(ExecuteTest, ClearAllCommandEmptiesEveryCommand) {
    device.setInitCommand2(QStringLiteral("A"));
    device.setWriteFromFile(QStringLiteral("/tmp/x"));
    device.setWaitForEachCommand(2);
    device.ClearAllCommand();
    EXPECT_TRUE(device.InitCommand2().isEmpty());
    EXPECT_TRUE(device.WriteFromFile().isEmpty());
    EXPECT_TRUE(device.ReadCommand().isEmpty());
    EXPECT_EQ(device.WaitForEachCommand(), 0.0);
}

} // namespace
