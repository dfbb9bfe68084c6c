// Whole readings on the simulated bus: periodic reading on the panel, a bus
// scan of the sample bench, and a driver error that stops the reading.

#include "GpibFixture.h"
#include "frame/Clock.h"

#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/XQGPIB32.h>

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class ReadingTest : public SimulatedBusTest {
protected:
    DevicePanel& panelOf(XQGPIB32& device) { return XQGPIB32Private::of(device).panel(); }
};

TEST_F(ReadingTest, ThePanelReadsPeriodicallyAndRaisesEachChange) {
    describeBus("[device PSU]\naddress = 5\nidn = ORVANTA INSTRUMENTS,PS-2030,SN1,2.10\n"
                "query MEAS:CURR? = number 0.512 drift 0.001\n");
    XQGPIB32 device;
    device.setDeviceName(5);
    device.setReadCommand(QStringLiteral("MEAS:CURR?"));
    device.setUnit(QStringLiteral("A"));
    device.setReadInterval(100);
    QSignalSpy changed(&device, &XQGPIB32::ValueChanged);
    device.Execute();
    auto* lamp = panelOf(device).findChild<QLabel*>(QStringLiteral("imgLED1"));
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 2, 5000);
    const bool lampBefore = lamp->isVisible();
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 3, 5000);
    EXPECT_NE(lamp->isVisible(), lampBefore); // it blinks at every reading
    // Each reading drifts by 1 mA: every event carries a new number.
    for (int at = 1; at < changed.count(); ++at)
        EXPECT_NEAR(changed.at(at).at(0).toDouble() - changed.at(at - 1).at(0).toDouble(), 0.001,
                    1e-9);
    const QString shown =
        panelOf(device).findChild<QLabel*>(QStringLiteral("lblReadValue"))->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("0.51")) && shown.endsWith(QStringLiteral(" A")))
        << shown.toStdString();
    const QStringList reads = transcript().filter(QStringLiteral("ibwrt"));
    EXPECT_GE(reads.filter(QStringLiteral("\"MEAS:CURR?\"")).size(), 3);
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ReadingTest, AWriteThatFailsStopsTheReadingWithItsMessages) {
    describeBus("[device DMM]\naddress = 22\nidn = ACME,DM,1,2\n"
                "query READ? = number 1\nfail READ? = 6\n");
    XQGPIB32 device;
    device.setDeviceName(QStringLiteral("DMM"));
    device.setReadCommand(QStringLiteral("READ?"));
    device.setReadInterval(100);
    device.Execute();
    QTRY_VERIFY(recorder->messages.size() >= 2);
    EXPECT_EQ(recorder->texts().mid(0, 2),
              QStringList({QStringLiteral("GPIB Error: DMM Error detected; I/O completed; I/O "
                                          "operation aborted; !"),
                           QStringLiteral("Found device DMM error!")}));
    EXPECT_FALSE(
        panelOf(device).findChild<ClockTimer*>(QStringLiteral("tmrReadValueInterval"))->isActive());
    EXPECT_EQ(statusLine(0), QStringLiteral("GPIB error, device DMM"));
    ManualClock clock;
    clock.advance(300);
    EXPECT_EQ(recorder->messages.size(), 2u); // no later reading
}

TEST_F(ReadingTest, TheSampleBenchScansToItsThreeInstruments) {
    QFile sample(QStringLiteral(XQ_SAMPLE_BUS));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    describeBus(sample.readAll());
    XQGPIB32 scanner;
    QVariantList found;
    scanner.ScanDevices(found);
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found.at(0).toString(),
              QStringLiteral("ORVANTA INSTRUMENTS,PS-2030,SN001208,2.10,ADDRESS 5"));
    EXPECT_EQ(found.at(1).toString(),
              QStringLiteral("ORVANTA INSTRUMENTS,EL-150,SN000031,0.9,ADDRESS 9"));
    EXPECT_EQ(found.at(2).toString(),
              QStringLiteral("ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04,ADDRESS 22"));
    EXPECT_TRUE(recorder->messages.empty());
}

// A read that times out is no reading of 0: the reading stops as after a
// failed write, ErrorStatus says so, and the messages follow DisableErrMessage.
class ReadTimeoutTest : public ReadingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ReadTimeoutTest, AReadThatTimesOutStopsTheReadingWithErrorStatus) {
    const bool disabled = GetParam();
    QFile sample(QStringLiteral(XQ_SAMPLE_BUS));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    describeBus(sample.readAll());
    XQGPIB32 load;
    load.setDeviceName(9);
    load.setReadCommand(QStringLiteral("MEAS:POW?"));
    load.setUnit(QStringLiteral("W"));
    load.setTimeOut(T100ms);
    load.setDisableErrMessage(disabled);
    load.setReadInterval(100);
    QSignalSpy changed(&load, &XQGPIB32::ValueChanged);
    load.Execute();
    EXPECT_EQ(load.ModelName(), QStringLiteral("EL-150"));
    QTRY_VERIFY_WITH_TIMEOUT(load.ErrorStatus(), 5000);
    EXPECT_EQ(recorder->texts(),
              disabled ? QStringList()
                       : QStringList({QStringLiteral("GPIB Error: 9 Error detected; Timeout; I/O "
                                                     "completed; I/O operation aborted; !"),
                                      QStringLiteral("Found device 9 error!")}));
    EXPECT_FALSE(
        panelOf(load).findChild<ClockTimer*>(QStringLiteral("tmrReadValueInterval"))->isActive());
    EXPECT_EQ(load.Value(), 0.0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_NE(panelOf(load).findChild<QLabel*>(QStringLiteral("lblReadValue"))->text(),
              QStringLiteral("0.0 uW"));
}

INSTANTIATE_TEST_SUITE_P(Messages, ReadTimeoutTest, ::testing::Bool());

// Every way of naming a GPIB instrument reads it and names its resource.
struct GpibNaming {
    const char* name;
    QVariant deviceName;
    GPIB_BoardNumber board; // set before Execute
    const char* resource;
};

class GpibNamingTest : public ReadingTest, public ::testing::WithParamInterface<GpibNaming> {};

TEST_P(GpibNamingTest, ReadsTheInstrumentAndNamesItsResource) {
    describeBus("[board 0]\n[board 1]\n[device DMM]\nboard = 1\naddress = 7\nidn = A,B,C,D\n"
                "query READ? = text 1.5\n");
    XQGPIB32 device;
    EXPECT_TRUE(device.ResourceName().isEmpty()); // nothing open yet
    device.setDeviceName(GetParam().deviceName);
    device.setBoardNumber(GetParam().board);
    device.setReadCommand(QStringLiteral("READ?"));
    device.Execute();
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(device.Value(), 1.5);
    EXPECT_EQ(device.BoardNumber(), GPIB1);
    EXPECT_EQ(device.ResourceName(), QString::fromLatin1(GetParam().resource));
}

INSTANTIATE_TEST_SUITE_P(Names, GpibNamingTest,
                         ::testing::Values(GpibNaming{"Address", 7, GPIB1, "GPIB1::7::INSTR"},
                                           GpibNaming{"ConfiguredName", QStringLiteral("DMM"),
                                                      GPIB1, "DMM"},
                                           // The resource's board wins over BoardNumber.
                                           GpibNaming{"Resource", QStringLiteral("gpib1::7::instr"),
                                                      GPIB0, "GPIB1::7::INSTR"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

struct UnknownPlaceCase {
    const char* name;
    QVariant deviceName;
    GPIB_BoardNumber board;
    const char* messages;
};

class UnknownPlaceTest : public ReadingTest,
                         public ::testing::WithParamInterface<UnknownPlaceCase> {};

TEST_P(UnknownPlaceTest, TheSimulatedDriverRefusesAndTheObjectSaysSo) {
    describeBus("[board 0]\n[board 1]\npresent = no\n[device DMM]\naddress = 22\nidn = A,B,C,D\n");
    XQGPIB32 device;
    device.setDeviceName(GetParam().deviceName);
    device.setBoardNumber(GetParam().board);
    device.setReadCommand(QStringLiteral("READ?"));
    device.Execute();
    EXPECT_EQ(recorder->texts().join(QLatin1Char('|')), QString::fromLatin1(GetParam().messages));
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_EQ(transcript().size(), 1); // the one refused open
}

INSTANTIATE_TEST_SUITE_P(
    Places, UnknownPlaceTest,
    ::testing::Values(
        UnknownPlaceCase{"MissingBoard", QVariant(22), GPIB1,
                         "GPIB Error: 22 Error detected; I/O completed; Non-existent interface "
                         "board; !|Error sending ibdev or ibclr command!"},
        UnknownPlaceCase{"UnknownName", QVariant(QStringLiteral("NOSUCH")), GPIB0,
                         "GPIB Error: NOSUCH Error detected; I/O completed; DOS error; !|Error "
                         "sending ibfind or ibclr command!"}),
    [](const ::testing::TestParamInfo<UnknownPlaceCase>& param) {
        return std::string(param.param.name);
    });

} // namespace
