// A driver without the binding pair (as linux-gpib is): the status comes from
// ThreadIbsta, ThreadIberr and ThreadIbcntl. And a driver that cannot be used.

#include "GpibFixture.h"

#include "instruments/GpibBinding.h"
#include "instruments/GpibCalls.h"

#include <XQTestDev/XQGPIB32.h>

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

// Each case loads its driver once for its process; ctest runs every case in
// a process of its own.
class PlainDriverTest : public RecordingDriverTest {
protected:
    void SetUp() override {
        RecordingDriverTest::SetUp();
        qputenv("XQ_GPIB_LIBRARY", XQ_RECORDING_PLAIN_DRIVER);
    }
};

TEST_F(PlainDriverTest, StatusComesFromTheThreadFunctions) {
    script("ibdev sta=0xC100 err=6\n");
    XQGPIB32 device;
    device.setDeviceName(QStringLiteral("22"));
    device.setTimeOut(T3s);
    device.setBoardNumber(GPIB1);
    device.Execute();
    EXPECT_EQ(calls(), QStringList({QStringLiteral("ibdev(1, 22, 0, 12, 1, 0)")}));
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("GPIB Error: 22 Error detected; Timeout; I/O "
                                          "completed; I/O operation aborted; !"),
                           QStringLiteral("Error sending ibdev or ibclr command!")}));
}

TEST_F(PlainDriverTest, MirrorsAreSigned16BitCopies) {
    script("ibwrt sta=0x1C100 err=6 cnt=0x12345\n");
    gpibWrite(5, "X");
    EXPECT_EQ(gpibMirrors().status, static_cast<qint16>(0xC100));
    EXPECT_LT(gpibMirrors().status, 0);
    EXPECT_EQ(gpibMirrors().error, 6);
    EXPECT_EQ(gpibMirrors().count, static_cast<qint16>(0x2345));
    EXPECT_EQ(gpibMirrors().longCount, 0x12345);
}

// Runs `call` with standard error caught into the returned text.
template <typename Call> QString standardErrorOf(const QString& file, Call call) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    std::FILE* capture = std::fopen(QFile::encodeName(file).constData(), "w");
    dup2(fileno(capture), STDERR_FILENO);
    call();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::fclose(capture);
    QFile text(file);
    return text.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(text.readAll()) : QString();
}

struct UnusableDriverCase {
    const char* library;
    const char* said;
};

class UnusableDriverTest : public RecordingDriverTest,
                           public ::testing::WithParamInterface<UnusableDriverCase> {};

TEST_P(UnusableDriverTest, EveryCallFailsWithDosErrorAndTheCauseIsSaidOnce) {
    qputenv("XQ_GPIB_LIBRARY", GetParam().library);
    XQGPIB32 device;
    device.setDeviceName(QStringLiteral("DMM"));
    const QString said = standardErrorOf(root() + QStringLiteral("stderr.txt"), [&] {
        device.Execute();
        device.Execute();
    });
    EXPECT_TRUE(said.contains(QLatin1String(GetParam().said))) << said.toStdString();
    EXPECT_EQ(said.count(QLatin1String("XQTestDev:")), 1) << said.toStdString();
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_EQ(recorder->texts().value(0),
              QStringLiteral("GPIB Error: DMM Error detected; DOS error; !"));
    EXPECT_EQ(recorder->texts().value(1), QStringLiteral("Error sending ibfind or ibclr command!"));
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, UnusableDriverTest,
    ::testing::Values(UnusableDriverCase{"/nonexistent/libgpib.so.0", "/nonexistent/libgpib.so.0"},
                      UnusableDriverCase{"libm.so.6", "is no GPIB driver: it lacks ibdev"}));

} // namespace
