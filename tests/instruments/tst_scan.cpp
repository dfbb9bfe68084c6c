// ScanDevices at the C boundary.

#include "GpibFixture.h"

#include <XQTestDev/XQGPIB32.h>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString AllAddresses = QStringLiteral(
    "[1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30]");

class ScanTest : public RecordingDriverTest {
protected:
    QStringList busCalls() const {
        QStringList out = calls();
        out.removeIf([](const QString& line) { return line.contains(QLatin1String("Gpib")); });
        return out;
    }
    QStringList scan() {
        QVariantList list{QStringLiteral("left over from before")};
        device.ScanDevices(list);
        QStringList texts;
        for (const QVariant& entry : list)
            texts << entry.toString();
        return texts;
    }
    XQGPIB32 device;
};

TEST_F(ScanTest, ListsEachListenerWithItsAddressInDriverOrder) {
    script("ibfind ret=0\n"
           "FindLstn listeners=5,22\n"
           "Receive reply=ACME,DM-3065,SN7,1.02\\n\n"
           "Receive reply=  ACME,PS-20,SN9,2.0\\r\\n\n");
    EXPECT_EQ(scan(), QStringList({QStringLiteral("ACME,DM-3065,SN7,1.02,ADDRESS 5"),
                                   QStringLiteral("ACME,PS-20,SN9,2.0,ADDRESS 22")}));
    EXPECT_EQ(busCalls(),
              QStringList({QStringLiteral("ibfind(\"GPIB0\")"), QStringLiteral("SendIFC(0)"),
                           QStringLiteral("FindLstn(0, %1, 30)").arg(AllAddresses),
                           QStringLiteral("DevClearList(0, [5,22])"),
                           QStringLiteral("SendList(0, [5,22], \"*IDN?\", 5, 2)"),
                           QStringLiteral("Receive(0, 5, 50, 256)"),
                           QStringLiteral("Receive(0, 22, 50, 256)")}));
    EXPECT_EQ(statusLine(0), QStringLiteral("Ideal ..."));
    EXPECT_EQ(statusLine(1), QString());
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ScanTest, ShortRepliesAreUnknownDevices) {
    script("FindLstn listeners=3,4,6\n"
           "Receive reply=X\\n\n"
           "Receive\n"
           "Receive cnt=500 reply=ACME,LONG,1,2\\n\n");
    device.setIDcommand(QStringLiteral("ID?"));
    device.setBoardNumber(GPIB2);
    const QStringList entries = scan();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.at(0), QStringLiteral("DEVICE UNKNOWN"));
    EXPECT_EQ(entries.at(1), QStringLiteral("DEVICE UNKNOWN"));
    // A count beyond the 50-character buffer reads only the buffer.
    EXPECT_TRUE(entries.at(2).startsWith(QStringLiteral("ACME,LONG,1,2")))
        << entries.at(2).toStdString();
    EXPECT_TRUE(entries.at(2).endsWith(QStringLiteral(",ADDRESS 6")));
    EXPECT_EQ(busCalls().value(0), QStringLiteral("ibfind(\"GPIB2\")"));
    EXPECT_EQ(busCalls().filter(QStringLiteral("SendList")).value(0),
              QStringLiteral("SendList(2, [3,4,6], \"ID?\", 3, 2)"));
}

TEST_F(ScanTest, NoListenerGivesAnEmptyListAndEachFailedStepItsMessage) {
    script("ibfind ret=-1 sta=0x8000 err=7\n"
           "SendIFC sta=0x8000 err=7\n"
           "FindLstn sta=0x8000 err=7\n"
           "DevClearList sta=0x8000 err=7\n"
           "SendList sta=0x8000 err=7\n");
    device.setDeviceName(QStringLiteral("DMM"));
    EXPECT_TRUE(scan().isEmpty());
    const QString driverError =
        QStringLiteral("GPIB Error: DMM Error detected; Non-existent interface board; !");
    EXPECT_EQ(recorder->texts(),
              QStringList({driverError, QStringLiteral("Error sending IFC command!"), driverError,
                           QStringLiteral("Error devices listener command!"), driverError,
                           QStringLiteral("Error clearing devices command!"), driverError,
                           QStringLiteral("Error sending list command!")}));
    EXPECT_EQ(busCalls().filter(QStringLiteral("DevClearList")).value(0),
              QStringLiteral("DevClearList(0, [])"));
}

TEST_F(ScanTest, WithMessagesDisabledAFailedReceiveOnlyMakesAnUnknownEntry) {
    script("FindLstn listeners=9\nReceive sta=0xC100 err=6\n");
    device.setDisableErrMessage(true);
    EXPECT_EQ(scan(), QStringList({QStringLiteral("DEVICE UNKNOWN")}));
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_TRUE(device.ErrorStatus());
}

TEST_F(ScanTest, SimulateModeTouchesNoDriver) {
    device.setSimulateMode(true);
    EXPECT_EQ(scan(), QStringList({QStringLiteral("Dummy Device 0"), QString()}));
    EXPECT_TRUE(calls().isEmpty());
    EXPECT_EQ(statusLine(1), QStringLiteral("Simulate mode is running ..."));
}

} // namespace
