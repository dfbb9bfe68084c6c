// Instruments on the LAN: whole Executes and readings against the simulated
// LAN instruments (xq-sim-lan on loopback), and every fault a LAN instrument
// can show: each a message, ErrorStatus, no wait beyond TimeOut, no crash.

#include "LanFixture.h"
#include "frame/Clock.h"

#include "frame/InstrumentLog.h"
#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/XQGPIB32.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QByteArray Multimeter = "[lan DMM]\nprotocol = socket\naddress = ADDRESS\n"
                              "idn = ORVANTA INSTRUMENTS,DM-4050,SN4411,1.02\n"
                              "query MEAS:VOLT:DC? = number 5.012 drift 0.001\n";

class LanTest : public SimulatedLanTest {
protected:
    DevicePanel& panelOf(XQGPIB32& device) { return XQGPIB32Private::of(device).panel(); }
    QString shown(XQGPIB32& device) {
        return panelOf(device).findChild<QLabel*>(QStringLiteral("lblReadValue"))->text();
    }
    bool reading(XQGPIB32& device) {
        return panelOf(device)
            .findChild<ClockTimer*>(QStringLiteral("tmrReadValueInterval"))
            ->isActive();
    }
};

TEST_F(LanTest, ARawSocketInstrumentIsIdentifiedReadAndNamedByItsResource) {
    ASSERT_TRUE(startLan(Multimeter)) << failure.toStdString();
    startInstrumentLog();
    XQGPIB32 dmm;
    dmm.setDeviceName(QStringLiteral("tcpip::%1::5025::socket").arg(address()));
    dmm.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
    dmm.setUnit(QStringLiteral("V"));
    QSignalSpy changed(&dmm, &XQGPIB32::ValueChanged);
    dmm.Execute();
    const std::vector<RunRecordInstrument> used = instrumentsUsedSinceStart();
    EXPECT_FALSE(dmm.ErrorStatus());
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(dmm.BrandName(), QStringLiteral("ORVANTA INSTRUMENTS"));
    EXPECT_EQ(dmm.ModelName(), QStringLiteral("DM-4050"));
    EXPECT_EQ(shown(dmm), QStringLiteral("5.012 V"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_DOUBLE_EQ(changed.at(0).at(0).toDouble(), 5.012);
    const QString canonical = QStringLiteral("TCPIP0::%1::5025::SOCKET").arg(address());
    EXPECT_EQ(dmm.ResourceName(), canonical);
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used.at(0).resource, canonical);
    EXPECT_EQ(used.at(0).idn, QStringLiteral("ORVANTA INSTRUMENTS,DM-4050,SN4411,1.02"));
}

TEST_F(LanTest, AVxi11InstrumentIsReadThroughItsPortmapper) {
    if (!startLan("[lan SCOPE]\nprotocol = vxi11\naddress = ADDRESS\n"
                  "idn = ORVANTA INSTRUMENTS,SC-1104,SN77,3.1\nquery MEAS:FREQ? = text 1.0E3\n"))
        GTEST_SKIP() << "no portmapper on port 111 here: " << failure.toStdString();
    XQGPIB32 scope;
    scope.setDeviceName(QStringLiteral("TCPIP0::%1::INSTR").arg(address()));
    scope.setReadCommand(QStringLiteral("MEAS:FREQ?"));
    scope.setUnit(QStringLiteral("Hz"));
    scope.Execute();
    EXPECT_FALSE(scope.ErrorStatus());
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(scope.ModelName(), QStringLiteral("SC-1104"));
    EXPECT_EQ(shown(scope), QStringLiteral("1.0 KHz"));
    EXPECT_EQ(scope.ResourceName(), QStringLiteral("TCPIP0::%1::inst0::INSTR").arg(address()));
}

// A fault in the one reading of an Execute: what the station program sees.
struct ReadingFault {
    const char* name;
    const char* reply;      // the bench's query line for READ?
    const char* statusText; // the driver's texts, then the system's reason
};

class ReadingFaultTest : public LanTest, public ::testing::WithParamInterface<ReadingFault> {};

TEST_P(ReadingFaultTest, GivesItsMessageAndErrorStatusWithinTheTimeOut) {
    ASSERT_TRUE(startLan("[lan DMM]\nprotocol = socket\naddress = ADDRESS\nidn = A,B,C,D\n"
                         "query READ? = " +
                         QByteArray(GetParam().reply) + "\n"))
        << failure.toStdString();
    XQGPIB32 dmm;
    const QString name = QStringLiteral("TCPIP::%1::5025::SOCKET").arg(address());
    dmm.setDeviceName(name);
    dmm.setReadCommand(QStringLiteral("READ?"));
    dmm.setTimeOut(T300ms);
    QElapsedTimer clock;
    clock.start();
    dmm.Execute();
    EXPECT_LT(clock.elapsed(), 300 + 1000); // the timeout and no more than a margin
    EXPECT_TRUE(dmm.ErrorStatus());
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("GPIB Error: ") + name + QLatin1Char(' ') +
                               QString::fromUtf8(GetParam().statusText)
                                   .replace(QStringLiteral("ADDRESS"), address()) +
                               QStringLiteral("!"),
                           QStringLiteral("Found device ") + name + QStringLiteral(" error!")}));
    EXPECT_EQ(dmm.Value(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadingFaultTest,
    ::testing::Values(
        ReadingFault{"NoTerminator", "unterminated 1.5",
                     "Error detected; Timeout; I/O completed; I/O operation aborted; reply "
                     "without terminator (3 bytes); "},
        ReadingFault{"NoReply", "timeout",
                     "Error detected; Timeout; I/O completed; I/O operation aborted; no reply "
                     "within the timeout; "},
        ReadingFault{"LongerThanTheBuffer", "filled 70000",
                     "Error detected; I/O completed; The return buffer is full; reply longer "
                     "than 65526 bytes; "},
        ReadingFault{"ClosedByTheInstrument", "close",
                     "Error detected; I/O completed; Write function detected no listeners; "
                     "connection closed by the instrument (ADDRESS:5025); "}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Faults of the open: the instrument is never reached.
struct OpenFault {
    const char* name;
    const char* resource;
    const char* message;
};

class OpenFaultTest : public LanTest, public ::testing::WithParamInterface<OpenFault> {};

TEST_P(OpenFaultTest, GivesItsMessageAndErrorStatus) {
    QTcpServer closedPort; // a port that nobody listens on any more
    ASSERT_TRUE(closedPort.listen(QHostAddress(address())));
    const QString port = QString::number(closedPort.serverPort());
    closedPort.close();
    const QString resource = QString::fromUtf8(GetParam().resource)
                                 .replace(QStringLiteral("ADDRESS"), address())
                                 .replace(QStringLiteral("PORT"), port);
    XQGPIB32 device;
    device.setDeviceName(resource);
    device.setReadCommand(QStringLiteral("READ?"));
    device.setTimeOut(T1s);
    QElapsedTimer clock;
    clock.start();
    device.Execute();
    EXPECT_LT(clock.elapsed(), 1000 + 1000);
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_TRUE(device.ResourceName().isEmpty());
    ASSERT_FALSE(recorder->messages.empty());
    EXPECT_EQ(recorder->texts().at(0), QString::fromUtf8(GetParam().message)
                                           .replace(QStringLiteral("RESOURCE"), resource)
                                           .replace(QStringLiteral("ADDRESS"), address())
                                           .replace(QStringLiteral("PORT"), port));
    EXPECT_FALSE(panelOf(device).isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OpenFaultTest,
    ::testing::Values(
        OpenFault{"MalformedResource", "TCPIP::::5025::SOCKET",
                  "Invalid instrument resource \"RESOURCE\": the host is missing!"},
        OpenFault{"PortOutOfRange", "TCPIP::ADDRESS::70000::SOCKET",
                  "Invalid instrument resource \"RESOURCE\": the port must be 1 to 65535!"},
        OpenFault{"HostThatDoesNotResolve", "TCPIP::no-such-host.invalid::5025::SOCKET",
                  "GPIB Error: RESOURCE Error detected; I/O completed; Write function detected "
                  "no listeners; host no-such-host.invalid does not resolve (name or service not "
                  "known); !"},
        OpenFault{"RefusedConnection", "TCPIP::ADDRESS::PORT::SOCKET",
                  "GPIB Error: RESOURCE Error detected; I/O completed; Write function detected "
                  "no listeners; connection refused (ADDRESS:PORT); !"},
        OpenFault{"NoPortmapperForVxi11", "TCPIP::ADDRESS::INSTR",
                  "GPIB Error: RESOURCE Error detected; I/O completed; Write function detected "
                  "no listeners; connection refused (ADDRESS:111); !"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(LanTest, AnInstrumentThatFallsSilentStopsThePeriodicReadingWithinTheTimeOut) {
    ASSERT_TRUE(startLan("[lan DMM]\nprotocol = socket\naddress = ADDRESS\nidn = A,B,C,D\n"
                         "silent after = 3\nquery READ? = number 1 drift 1\n"))
        << failure.toStdString();
    XQGPIB32 dmm;
    dmm.setDeviceName(QStringLiteral("TCPIP::%1::5025::SOCKET").arg(address()));
    dmm.setReadCommand(QStringLiteral("READ?"));
    dmm.setTimeOut(T300ms);
    dmm.setReadInterval(100);
    dmm.setDisableErrMessage(true);
    QSignalSpy changed(&dmm, &XQGPIB32::ValueChanged);
    dmm.Execute();
    QTRY_VERIFY_WITH_TIMEOUT(dmm.ErrorStatus(), 5000);
    EXPECT_EQ(changed.count(), 2); // three answers: the identification and two readings
    EXPECT_FALSE(reading(dmm));
    EXPECT_TRUE(recorder->messages.empty()); // DisableErrMessage
}

TEST_F(LanTest, ThePanelRecoversWhenTheInstrumentComesBack) {
    ASSERT_TRUE(startLan(Multimeter)) << failure.toStdString();
    XQGPIB32 dmm;
    dmm.setDeviceName(QStringLiteral("TCPIP::%1::5025::SOCKET").arg(address()));
    dmm.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
    dmm.setUnit(QStringLiteral("V"));
    dmm.setTimeOut(T300ms);
    dmm.setReadInterval(100);
    QSignalSpy changed(&dmm, &XQGPIB32::ValueChanged);
    dmm.Execute();
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 2, 5000);
    stopLan(); // the instrument is switched off in the middle of the reading
    QTRY_VERIFY_WITH_TIMEOUT(dmm.ErrorStatus(), 5000);
    EXPECT_FALSE(reading(dmm));
    ASSERT_GE(recorder->messages.size(), 2u);
    EXPECT_TRUE(recorder->texts().at(0).startsWith(QStringLiteral("GPIB Error: TCPIP::")))
        << recorder->texts().at(0).toStdString();
    EXPECT_EQ(recorder->texts().at(1),
              QStringLiteral("Found device TCPIP::%1::5025::SOCKET error!").arg(address()));

    ASSERT_TRUE(restartLan()) << failure.toStdString(); // and on again
    const qsizetype before = changed.count();
    dmm.setErrorStatus(false);
    dmm.Execute(); // the next reading connects again
    QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= before + 2, 5000);
    EXPECT_FALSE(dmm.ErrorStatus());
    EXPECT_TRUE(reading(dmm));
    EXPECT_TRUE(shown(dmm).endsWith(QStringLiteral(" V")));
}

} // namespace
