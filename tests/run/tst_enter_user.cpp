// EnterUser judged by the user entry window's rules, the run a handler's
// failure ends through the Abort path, and the station-test support header
// that a station program's own tests use.

#include "frame/LibraryState.h"
#include "run/RunSession.h"
#include "support/StationFixture.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>
#include <XQTestDev/testing/StationTest.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace XQTestDev;

namespace {

class EnterUser : public XQTestDev::testing::StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        const QString sample = QStringLiteral(XQ_SAMPLE_STATION_DIR "/");
        for (const char* name : {"ATE.INI", "PRODUCTS.INI"})
            writeIni(QLatin1String(name), readFile(sample + QLatin1String(name)));
        library().iniDirectory = iniDir();
        runModel().run = RunData();
    }
};

struct Refusal {
    const char* operatorId;
    const char* product;
    const char* model;
    const char* serial;
    QStringList remarks;
    const char* message;
};

TEST_F(EnterUser, ARefusalSaysWhatTheWindowSays) {
    const QStringList remarks{QStringLiteral("FX-01"), QStringLiteral("1.4.2")};
    const Refusal cases[] = {
        {"", "", "PSU5V-100A", "SN-1", remarks, "Please be enter the Operator ID!"},
        {"OP01", "", "PSU5V-100A", "", remarks, "Please enter the serial number!"},
        {"OP01", "", "", "SN-1", remarks, "Please enter the model!"},
        {"OP01", "", "PSU5V-100A", "SN-1", {QStringLiteral("FX-01")}, "Please enter the Firmware!"},
        {"OP01", "PSU12V-40", "PSU5V-100A", "SN-1", remarks, "Not found product name!."},
    };
    for (const Refusal& each : cases) {
        XQTestDev::testing::ScriptedOperator op;
        op.expect(QLatin1String(each.message));
        XQMenu32 menu;
        EXPECT_FALSE(menu.EnterUser(QLatin1String(each.operatorId), QLatin1String(each.product),
                                    QLatin1String(each.model), QStringLiteral("C"), QString(),
                                    QLatin1String(each.serial), QString(), each.remarks))
            << each.message;
    }
}

TEST_F(EnterUser, AnAcceptedEntryFillsTheRunAndARunAbortedFromOutsideEnds) {
    XQTestDev::testing::ScriptedOperator op;
    XQMenu32 menu;
    ASSERT_TRUE(menu.EnterUser(QStringLiteral("OP01"), QString(), QStringLiteral("PSU5V-100A"),
                               QStringLiteral("C"), QString(), QStringLiteral("SN-CPP-1"),
                               QStringLiteral("WO-1"),
                               {QStringLiteral("FX-01"), QStringLiteral("1.4.2")}));
    EXPECT_EQ(menu.TestProduct(), QStringLiteral("PSU5V-100"));
    EXPECT_EQ(menu.TestID(), QStringLiteral("Production")); // the station's default
    EXPECT_EQ(menu.SerialNumber(), QStringLiteral("SN-CPP-1"));

    int aborts = 0;
    bool abortedInside = false;
    QObject::connect(&menu, &XQMenu32::AbortClick, [&] { ++aborts; });
    QObject::connect(&menu, &XQMenu32::AllTestClick, [&](const QString&) {
        abortedInside = abortRunInProgress(QStringLiteral("the fixture did not close"));
    });
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(menu.StartAllTest());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(abortedInside);
    EXPECT_EQ(aborts, 1);
    EXPECT_NE(said.find("Run aborted: the fixture did not close"), std::string::npos) << said;
    // Nothing is left running: the next unit starts, and no run is there to abort.
    EXPECT_FALSE(abortRunInProgress(QStringLiteral("again")));
}

TEST_F(EnterUser, TestLinesComeInMenuOrder) {
    XQTestDev::testing::ScriptedOperator op;
    const QList<TestLineInfo> lines = XQMenu32().TestLines(QStringLiteral("PSU5V-100"));
    ASSERT_FALSE(lines.isEmpty());
    QStringList groups;
    for (const TestLineInfo& line : lines) {
        if (groups.isEmpty() || groups.last() != line.group) {
            EXPECT_FALSE(groups.contains(line.group)) << line.group.toStdString();
            groups << line.group;
        }
    }
    const auto reference = std::find_if(lines.begin(), lines.end(), [](const TestLineInfo& line) {
        return line.parameter == QLatin1String("Reference voltage");
    });
    ASSERT_NE(reference, lines.end());
    EXPECT_EQ(reference->group, QStringLiteral("Power"));
    EXPECT_EQ(reference->minSpec, QStringLiteral("2.475"));
}

} // namespace
