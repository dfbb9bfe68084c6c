// Bad input to an instrument object: each gets its message or a sound result.

#include "GpibFixture.h"

#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/XQGPIB32.h>

#include <QDir>
#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class InputTest : public RecordingDriverTest {
protected:
    void SetUp() override {
        RecordingDriverTest::SetUp();
        device.setPanelHide(true);
    }
    QStringList busCalls() const {
        QStringList out = calls();
        out.removeIf([](const QString& line) { return line.contains(QLatin1String("Gpib")); });
        return out;
    }
    XQGPIB32 device;
};

class MissingNameTest : public InputTest, public ::testing::WithParamInterface<QVariant> {};

TEST_P(MissingNameTest, NoNameIsRefusedBeforeAnyCall) {
    device.setDeviceName(GetParam());
    device.Execute();
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("Not found value in DeviceName property!")}));
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_TRUE(busCalls().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, MissingNameTest,
                         ::testing::Values(QVariant(), QVariant(QString()), QVariant(0),
                                           QVariant(QStringLiteral("0"))));

TEST_F(InputTest, AddressesOutsideTheBusAreLeftToTheDriverToRefuse) {
    script("ibdev ret=-1 sta=0x8000 err=4\nibdev ret=-1 sta=0x8000 err=4\n");
    device.setDeviceName(31);
    device.Execute();
    device.setDeviceName(-1);
    device.Execute();
    EXPECT_EQ(busCalls(), QStringList({QStringLiteral("ibdev(0, 31, 0, 13, 1, 0)"),
                                       QStringLiteral("ibdev(0, -1, 0, 13, 1, 0)")}));
    EXPECT_EQ(
        recorder->texts().value(0),
        QStringLiteral("GPIB Error: 31 Error detected; Invalid argument to function call; !"));
}

TEST_F(InputTest, AnAddressBeyond16BitsOpensNothing) {
    device.setDeviceName(70000);
    device.Execute();
    EXPECT_TRUE(busCalls().isEmpty());
    EXPECT_TRUE(device.ErrorStatus());
}

TEST_F(InputTest, TheBoardNumberChoosesTheBoard) {
    device.setBoardNumber(GPIB3);
    device.setDeviceName(QStringLiteral("7"));
    device.Execute();
    EXPECT_EQ(busCalls().value(0), QStringLiteral("ibdev(3, 7, 0, 13, 1, 0)"));
}

TEST_F(InputTest, PropertyRulesOnAssignment) {
    device.setTimeOut(0);
    EXPECT_EQ(device.TimeOut(), T10s);
    device.setReadInterval(QStringLiteral("abc"));
    EXPECT_EQ(device.ReadInterval(), 250);
    device.setReadInterval(50);
    EXPECT_EQ(device.ReadInterval(), 100);
    device.setReadInterval(70000);
    EXPECT_EQ(device.ReadInterval(), 65535);
    device.setWaitForEachCommand(QStringLiteral("later"));
    EXPECT_EQ(device.WaitForEachCommand(), 0.0);
    EXPECT_EQ(device.Delimited(), QStringLiteral("\n"));
    EXPECT_TRUE(device.AlwaysOnTop());
    EXPECT_EQ(device.DigitColor(), -1);
}

TEST_F(InputTest, ScaleFactorZeroIsRefusedAndTheOldOneStays) {
    device.setScaleFactor(-2);
    device.setScaleFactor(0);
    EXPECT_EQ(device.ScaleFactor(), -2.0);
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral(
                  "Scale factor must be positive or negative number and not allowed zero!.")}));
}

TEST_F(InputTest, WriteFromFileSendsAnExistingFile) {
    const QString file = root() + QStringLiteral("setup.txt");
    writeFile(file, "*RST\n");
    device.setDeviceName(22);
    device.setWriteFromFile(file);
    device.Execute();
    EXPECT_EQ(busCalls().filter(QStringLiteral("ibwrtf")),
              QStringList({QStringLiteral("ibwrtf(5, \"%1\")").arg(file)}));
    EXPECT_TRUE(device.WriteFromFile().isEmpty());
    EXPECT_FALSE(device.ErrorStatus());
}

class MissingFileTest : public InputTest, public ::testing::WithParamInterface<QString> {};

// A file that cannot be sent is named, and the one-shot commands are cleared
// all the same: the next Execute must not reset the instrument again.
TEST_P(MissingFileTest, IsNamedAndTheOneShotCommandsAreClearedAnyway) {
    device.setDeviceName(22);
    device.setReadCommand(QStringLiteral("MEAS?"));
    device.setInitCommand1(QStringLiteral("*RST"));
    device.setWriteFromFile(GetParam().isEmpty() ? root() : GetParam());
    device.Execute();
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("Invalid path/filename, unable write data from file!")}));
    EXPECT_TRUE(device.InitCommand1().isEmpty());
    EXPECT_TRUE(device.WriteFromFile().isEmpty());
    EXPECT_FALSE(device.ErrorStatus());
    device.Execute();
    EXPECT_EQ(busCalls().filter(QStringLiteral("*RST")).size(), 1);
    EXPECT_TRUE(busCalls().filter(QStringLiteral("ibwrtf")).isEmpty());
    EXPECT_EQ(busCalls().filter(QStringLiteral("MEAS?")).size(), 2); // both read
}

// An empty parameter stands for the test's own folder: a folder is no file.
INSTANTIATE_TEST_SUITE_P(Paths, MissingFileTest,
                         ::testing::Values(QStringLiteral("/nonexistent/setup.txt"), QString()));

struct ReplyCase {
    const char* name;
    QByteArray scriptLine;
    const char* shown;
};

class ReplyTest : public InputTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(ReplyTest, EveryReplyIsShownSoundly) {
    script("ibrd reply=ACME,DM,1,2\n" + GetParam().scriptLine + "\n");
    device.setDeviceName(22);
    device.setReadCommand(QStringLiteral("READ?"));
    device.setUnit(QStringLiteral("V"));
    device.Execute();
    auto* label =
        XQGPIB32Private::of(device).panel().findChild<QLabel*>(QStringLiteral("lblReadValue"));
    EXPECT_EQ(label->text(), QString::fromLatin1(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyTest,
    ::testing::Values(ReplyCase{"Empty", "ibrd", "---- ----"},
                      ReplyCase{"NotANumber", "ibrd reply=ERR\\n", "Error ----"},
                      ReplyCase{"UnitInReply", "ibrd reply=1.5,V", "Error ----"},
                      ReplyCase{"Overflow", "ibrd reply=1e400", "Error ----"},
                      ReplyCase{"LongerThanTheBuffer", "ibrd reply=" + QByteArray(70000, '7'),
                                "Error ----"},
                      ReplyCase{"CountBeyondTheBuffer", "ibrd cnt=99999 reply=2.5\\n", "2.5 V"},
                      ReplyCase{"NulInside", "ibrd reply=1.25\\0junk", "1.25 V"},
                      ReplyCase{"EndsInCrLf", "ibrd reply=1.234\\r\\n", "1.234 V"},
                      ReplyCase{"NotText", "ibrd reply=\xff\xfe\x01", "Error ----"},
                      ReplyCase{"NegativeCount", "ibrd cnt=-5 reply=3", "---- ----"}),
    [](const ::testing::TestParamInfo<ReplyCase>& param) { return std::string(param.param.name); });

TEST_F(InputTest, CommaDelimitedReplyGivesItsFirstField) {
    script("ibrd reply=ACME,DM,1,2\nibrd reply=1.5,V\n");
    device.setDeviceName(22);
    device.setDelimited(QStringLiteral(","));
    device.setReadCommand(QStringLiteral("READ?"));
    device.Execute();
    EXPECT_DOUBLE_EQ(device.Value(), 1.5);
    EXPECT_EQ(device.RawValue(), QStringLiteral("1.5,V"));
}

} // namespace
