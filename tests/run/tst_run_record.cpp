// The record of a run as the run hands it over when it ends: a run started
// from the header and stopped, aborted with or without StopTest, with the
// instruments a station program read on the simulated GPIB bus.

#include "HeaderFixture.h"

#include "frame/RunOutputs.h"

#include <XQTestDev/XQGPIB32.h>

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class RunRecordTest : public HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        writeFile(root() + QStringLiteral("bus.txt"),
                  "[device DMM]\naddress = 22\nidn = ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04\n"
                  "query MEAS:VOLT:DC? = number 5.012\n\n"
                  "[device PSU]\naddress = 5\nidn = ORVANTA INSTRUMENTS,PS-2030,SN001208,2.10\n"
                  "query MEAS:VOLT? = number 12.0\n");
        qputenv("XQ_GPIB_LIBRARY", XQ_SIM_DRIVER);
        qputenv("XQ_GPIB_SIM_BUS", QFile::encodeName(root() + QStringLiteral("bus.txt")));
        addRunFinishedHandler([this](const RunRecord& record) { records.push_back(record); });
    }

    // One reading of the multimeter on the bus.
    static double measureOutput() {
        XQGPIB32 dmm;
        dmm.setDeviceName(22);
        dmm.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
        dmm.setPanelHide(true);
        dmm.Execute();
        return dmm.Value();
    }

    std::vector<RunRecord> records;
};

TEST_F(RunRecordTest, AStoppedRunNamesItsLinesInMenuOrderAndTheInstrumentThatMeasured) {
    menu->ShowMenu();
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [this] {
        menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), measureOutput());
        menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 13.0);
        menu->StopTest();
    });
    ASSERT_TRUE(menu->StartAllTest());

    ASSERT_EQ(records.size(), 1u);
    const RunRecord& r = records[0];
    EXPECT_EQ(r.station, "ATE-07");
    EXPECT_EQ(r.operatorId, "OP01");
    EXPECT_EQ(r.serialNumber, "SN-0001");
    EXPECT_EQ(r.product, "PSU");
    EXPECT_EQ(r.verdict, Verdict::Fail);
    EXPECT_FALSE(r.aborted);
    EXPECT_EQ(r.untested, 1);
    EXPECT_TRUE(r.start.isValid());
    EXPECT_GE(r.finish, r.start);
    ASSERT_EQ(r.instruments.size(), 1u);
    EXPECT_EQ(r.instruments[0].resource, "GPIB0::22::INSTR");
    EXPECT_EQ(r.instruments[0].idn, "ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04");
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0].key, "1");
    EXPECT_EQ(r.lines[0].value, "13");
    EXPECT_EQ(r.lines[0].verdict, Verdict::Fail);
    EXPECT_EQ(r.lines[0].min, "11.4");
    EXPECT_EQ(r.lines[1].key, "2");
    EXPECT_EQ(r.lines[1].min, ""); // an open limit stays empty
    EXPECT_EQ(r.lines[1].verdict, Verdict::Untested);
    EXPECT_FALSE(r.lines[1].measuredAt.isValid());
    EXPECT_EQ(r.lines[2].parameter, "Output voltage");
    EXPECT_DOUBLE_EQ(r.lines[2].number.value_or(0), 5.012);
    EXPECT_EQ(r.lines[2].verdict, Verdict::Pass);
    EXPECT_TRUE(r.lines[2].measuredAt.isValid());
}

// The product's list loses its end tag while the run goes on (the engineer
// saves PRODUCTS.INI half edited): the run is still handed over with every
// line read, but marked as partial, and the stored run says so too.
TEST_F(RunRecordTest, ARunWhoseListLostItsEndTagIsHandedOverAsPartial) {
    menu->ShowMenu();
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [this] {
        menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
        writeProducts("1=VIN,11.4,12.6,12,V,Power,Input voltage,\r\n"
                      "2=IIN,,0.5,,A,Power,Input current,\r\n"
                      "3=VOUT,4.75,5.25,5,V,Output,Output voltage,\r\n");
        menu->StopTest();
    });
    ASSERT_TRUE(menu->StartAllTest());

    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0].complete);
    ASSERT_EQ(records[0].lines.size(), 3u);
    EXPECT_EQ(records[0].lines[0].value, "12");
    EXPECT_FALSE(storedRunRecord().complete);
    EXPECT_EQ(storedRunRecord().lines.size(), 3u);
}

TEST_F(RunRecordTest, AListWithItsEndTagIsComplete) {
    menu->ShowMenu();
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [this] {
        menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
        menu->StopTest();
    });
    ASSERT_TRUE(menu->StartAllTest());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].complete);
    EXPECT_TRUE(storedRunRecord().complete);
}

// An instrument counts for a run when it is opened or read between the run's
// start and its end; one opened before and left alone does not.
TEST_F(RunRecordTest, OnlyInstrumentsUsedDuringTheRunCount) {
    XQGPIB32 psu;
    psu.setDeviceName(5);
    psu.setReadCommand(QStringLiteral("MEAS:VOLT?"));
    psu.setPanelHide(true);
    psu.Execute(); // before the run
    XQGPIB32 dmm;
    dmm.setDeviceName(22);
    dmm.setReadCommand(QStringLiteral("MEAS:VOLT:DC?"));
    dmm.setPanelHide(true);
    dmm.Execute(); // opened before the run, read during it
    menu->ShowMenu();
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [&] {
        dmm.Execute();
        menu->StopTest();
    });
    ASSERT_TRUE(menu->StartAllTest());

    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].instruments.size(), 1u);
    EXPECT_EQ(records[0].instruments[0].resource, "GPIB0::22::INSTR");
    EXPECT_EQ(records[0].instruments[0].idn, "ORVANTA INSTRUMENTS,DM-3065,SN004417,1.04");
    EXPECT_EQ(records[0].untested, 3);
}

// Aborted before any result, whether the station program calls StopTest in
// AbortClick or not: one record, aborted, every line untested.
TEST_F(RunRecordTest, AnAbortedRunIsRecordedOnce) {
    for (const bool stopsInHandler : {true, false}) {
        records.clear();
        menu->ShowMenu();
        const QMetaObject::Connection stop =
            QObject::connect(menu.get(), &XQMenu32::AbortClick, menu.get(), [&] {
                if (stopsInHandler)
                    menu->StopTest();
            });
        ASSERT_TRUE(menu->StartAllTest());
        answerInfoBox(OK);
        press("cmdExit");
        menu->StopTest();
        QObject::disconnect(stop);

        ASSERT_EQ(records.size(), 1u) << stopsInHandler;
        EXPECT_TRUE(records[0].aborted);
        EXPECT_EQ(records[0].verdict, Verdict::Fail); // an aborted unit fails
        EXPECT_EQ(records[0].untested, 3);
        EXPECT_EQ(records[0].lines.size(), 3u);
    }
}

// A group start is no run of the record: nothing is handed over at its StopTest.
TEST_F(RunRecordTest, StopTestWithoutAStartedRunHandsNothingOver) {
    menu->ShowMenu();
    menu->StopTest();
    EXPECT_TRUE(records.empty());
}

} // namespace
