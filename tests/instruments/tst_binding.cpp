// The per-thread binding of the driver's status variables, proven at the C
// boundary with the recording driver that exports the binding pair.

#include "GpibFixture.h"

#include <XQTestDev/XQGPIB32.h>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class BindingTest : public RecordingDriverTest {
protected:
    // Opens address 22 and stops before any reading.
    void openAddress22(XQGPIB32& device) {
        device.setDeviceName(22);
        device.setPanelHide(true);
        device.Execute();
    }
};

TEST_F(BindingTest, BindsOnceBeforeTheFirstCallAndReadsTheBoundCells) {
    script("ibdev sta=0x8100 err=4\n");
    XQGPIB32 device;
    openAddress22(device);
    EXPECT_EQ(calls(), QStringList({QStringLiteral("RegisterGpibGlobalsForThread"),
                                    QStringLiteral("ibdev(0, 22, 0, 13, 1, 0)")}));
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_EQ(recorder->texts(),
              QStringList({QStringLiteral("GPIB Error: 22 Error detected; I/O completed; Invalid "
                                          "argument to function call; !"),
                           QStringLiteral("Error sending ibdev or ibclr command!")}));

    forgetCalls();
    openAddress22(device); // bound already: no second registration
    EXPECT_EQ(calls().value(0), QStringLiteral("ibdev(0, 22, 0, 13, 1, 0)"));
}

TEST_F(BindingTest, AlreadyRegisteredUnregistersAndRegistersAgain) {
    script("RegisterGpibGlobalsForThread ret=1\n");
    XQGPIB32 device;
    openAddress22(device);
    EXPECT_EQ(calls().mid(0, 4), QStringList({QStringLiteral("RegisterGpibGlobalsForThread"),
                                              QStringLiteral("UnregisterGpibGlobalsForThread"),
                                              QStringLiteral("RegisterGpibGlobalsForThread"),
                                              QStringLiteral("ibdev(0, 22, 0, 13, 1, 0)")}));
    EXPECT_FALSE(device.ErrorStatus());
}

struct FailedBindingCase {
    int code;
    bool unregisters;
};

class FailedBindingTest : public BindingTest,
                          public ::testing::WithParamInterface<FailedBindingCase> {};

TEST_P(FailedBindingTest, LeavesTheErrorStateAndTriesAgainNextCall) {
    script("RegisterGpibGlobalsForThread ret=" + QByteArray::number(GetParam().code) + "\n");
    XQGPIB32 device;
    openAddress22(device);
    QStringList expected{QStringLiteral("RegisterGpibGlobalsForThread")};
    if (GetParam().unregisters)
        expected << QStringLiteral("UnregisterGpibGlobalsForThread");
    EXPECT_EQ(calls(), expected); // the driver itself is not called unbound
    EXPECT_TRUE(device.ErrorStatus());
    EXPECT_EQ(recorder->texts().value(0),
              QStringLiteral("GPIB Error: 22 Error detected; DOS error; !"));

    forgetCalls();
    openAddress22(device);
    EXPECT_EQ(calls().mid(0, 2), QStringList({QStringLiteral("RegisterGpibGlobalsForThread"),
                                              QStringLiteral("ibdev(0, 22, 0, 13, 1, 0)")}));
}

INSTANTIATE_TEST_SUITE_P(Codes, FailedBindingTest,
                         ::testing::Values(FailedBindingCase{2, true}, FailedBindingCase{3, true},
                                           FailedBindingCase{7, false}));

TEST_F(BindingTest, EveryNewObjectBindsAgain) {
    script("ibdev sta=0x8000 err=0\n");
    XQGPIB32 first;
    openAddress22(first);
    XQGPIB32 second;
    forgetCalls();
    openAddress22(first);
    EXPECT_EQ(calls().value(0), QStringLiteral("RegisterGpibGlobalsForThread"));
}

} // namespace
