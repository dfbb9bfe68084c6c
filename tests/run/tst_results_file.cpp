#include "RunFixture.h"
#include "frame/DurableFile.h"
#include "run/ResultsFile.h"

#include <XQTestDev/XQMenu32.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class ResultsFileTest : public RunTest {
protected:
    void TearDown() override {
        setWriteFaultHookForTesting({});
        RunTest::TearDown();
    }

    RunData& run() { return runModel().run; }

    void fillRun() {
        run().operatorId = QStringLiteral("OP01");
        run().serialNumber = QStringLiteral("SN-0042");
        run().workOrder = QStringLiteral("WO-7");
        run().testId = QStringLiteral("Production");
        run().model = QStringLiteral("PSU-A");
        run().revision = QStringLiteral("C");
        run().remarks = {QStringLiteral("Fixture 2"), QString(), QStringLiteral("r3"), QString()};
        run().startTime = QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9));
    }
};

TEST_F(ResultsFileTest, ResetClearsTheHeaderAndMarksEveryLineUntested) {
    writeSpec({"A,1,2,,V,G,P1", "A,1,2,,V,G,P2", "A,1,2,,V,G", "<EOT>", "A,1,2,,V,G,P9"});
    writeFile(resultsFile(), "[PSU Test Results]\r\nOperatorID=old\r\n1=5|Pass\r\n5=keep\r\n");
    ASSERT_TRUE(resetResults(run()));
    EXPECT_EQ(result(QStringLiteral("OperatorID")), QString());
    EXPECT_EQ(result(QStringLiteral("StartTestTime")), QString());
    EXPECT_EQ(result(QStringLiteral("EndTestTime")), QString());
    EXPECT_EQ(result(QStringLiteral("Remark4")), QString());
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
    EXPECT_EQ(result(1), QStringLiteral("----|----"));
    EXPECT_EQ(result(2), QStringLiteral("----|----"));
    EXPECT_EQ(result(3), QStringLiteral("----|----")) << "an incomplete line still has a result";
    EXPECT_EQ(result(4), QStringLiteral("<absent>"));
    EXPECT_EQ(result(5), QStringLiteral("keep"));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ResultsFileTest, ResetWritesKeysInTheRunOrder) {
    writeSpec({"A,1,2,,V,G,P1", "<EOT>"});
    ASSERT_TRUE(resetResults(run()));
    EXPECT_EQ(readFile(resultsFile()),
              QByteArray("[PSU Test Results]\r\nStartTestTime=\r\nEndTestTime=\r\nOperatorID=\r\n"
                         "SerialNumber=\r\nWorkOrderNumber=\r\nTestID=\r\nModel=\r\nRevision=\r\n"
                         "OverallPassFail=----\r\nRemark1=\r\nRemark2=\r\nRemark3=\r\nRemark4=\r\n"
                         "1=----|----\r\n"));
}

TEST_F(ResultsFileTest, ResetStopsAtAnEmptyLineAndLeavesTheRest) {
    writeSpec({"A,1,2,,V,G,P1", "", "A,1,2,,V,G,P3", "<EOT>"});
    writeFile(resultsFile(), "[PSU Test Results]\r\n1=1|Pass\r\n3=3|Fail\r\n");
    EXPECT_TRUE(resetResults(run()));
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral(
                                     "Not found information for section name [PSU Spec]! Line#2")});
    EXPECT_EQ(result(1), QStringLiteral("----|----"));
    EXPECT_EQ(result(3), QStringLiteral("3|Fail"));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("----"));
}

TEST_F(ResultsFileTest, ResetWithoutEndTagStopsAtKey499) {
    QByteArray text = "[PSU Spec]\r\n";
    for (int n = 1; n <= 500; ++n)
        text += QByteArray::number(n) + "=F,1,2,,V,G,P\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), text);
    EXPECT_TRUE(resetResults(run()));
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("Can't reach to End Of Test <EOT> record!")});
    EXPECT_EQ(result(499), QStringLiteral("----|----"));
    EXPECT_EQ(result(500), QStringLiteral("<absent>"));
}

TEST_F(ResultsFileTest, ResetWithoutProductWritesNothing) {
    run().product.clear();
    EXPECT_FALSE(resetResults(run()));
    EXPECT_EQ(recorder->texts(),
              QStringList{QStringLiteral("Not found or missing product name property!")});
    EXPECT_FALSE(QFile::exists(resultsFile()));
}

TEST_F(ResultsFileTest, RunHeaderTakesTheRunData) {
    writeSpec({"A,1,2,,V,G,P1", "<EOT>"});
    fillRun();
    ASSERT_TRUE(resetResults(run()));
    ASSERT_TRUE(writeRunHeader(run()));
    EXPECT_EQ(result(QStringLiteral("StartTestTime")), QStringLiteral("12/09/2026 02:05:09 pm"));
    EXPECT_EQ(result(QStringLiteral("OperatorID")), QStringLiteral("OP01"));
    EXPECT_EQ(result(QStringLiteral("SerialNumber")), QStringLiteral("SN-0042"));
    EXPECT_EQ(result(QStringLiteral("WorkOrderNumber")), QStringLiteral("WO-7"));
    EXPECT_EQ(result(QStringLiteral("TestID")), QStringLiteral("Production"));
    EXPECT_EQ(result(QStringLiteral("Model")), QStringLiteral("PSU-A"));
    EXPECT_EQ(result(QStringLiteral("Revision")), QStringLiteral("C"));
    EXPECT_EQ(result(QStringLiteral("Remark1")), QStringLiteral("Fixture 2"));
    EXPECT_EQ(result(QStringLiteral("Remark2")), QString());
    EXPECT_EQ(result(QStringLiteral("Remark3")), QStringLiteral("r3"));
    EXPECT_EQ(result(QStringLiteral("EndTestTime")), QString());
}

TEST_F(ResultsFileTest, RunHeaderSetsAMissingStartTimeToNow) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(writeRunHeader(run()));
    ASSERT_TRUE(run().startTime.isValid());
    EXPECT_GE(run().startTime, before);
    EXPECT_EQ(result(QStringLiteral("StartTestTime")), resultsFileTime(run().startTime));
}

TEST(ResultsFileTime, TwelveHourClockWithLowerCaseSuffix) {
    EXPECT_EQ(resultsFileTime(QDateTime(QDate(2026, 1, 5), QTime(0, 0, 1))),
              QStringLiteral("01/05/2026 12:00:01 am"));
    EXPECT_EQ(resultsFileTime(QDateTime(QDate(2026, 11, 25), QTime(12, 30, 0))),
              QStringLiteral("11/25/2026 12:30:00 pm"));
    EXPECT_EQ(resultsFileTime(QDateTime(QDate(2026, 11, 25), QTime(23, 59, 59))),
              QStringLiteral("11/25/2026 11:59:59 pm"));
}

// A reset that cannot write must not look like one that did: the write's own
// text is shown once and the old file stays.
TEST_F(ResultsFileTest, FailedResetWriteIsReportedOnce) {
    writeSpec({"A,1,2,,V,G,P1", "<EOT>"});
    writeFile(resultsFile(), "[PSU Test Results]\r\n1=5|Pass\r\n");
    setWriteFaultHookForTesting([](WriteStep step) -> std::optional<int> {
        return step == WriteStep::Write ? std::optional<int>(ENOSPC) : std::nullopt;
    });
    EXPECT_FALSE(resetResults(run()));
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_TRUE(recorder->messages.front().text.contains(QStringLiteral("XQResults.ini")));
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
    EXPECT_EQ(result(1), QStringLiteral("5|Pass"));
}

TEST_F(ResultsFileTest, MissingResultsFolderFailsTheHeader) {
    library().resultsDirectory = root() + QStringLiteral("gone/");
    EXPECT_FALSE(writeRunHeader(run()));
    EXPECT_EQ(recorder->messages.size(), 1u);
}

TEST_F(ResultsFileTest, CreatingAMenuObjectDeletesTheResultsFile) {
    writeFile(resultsFile(), "[PSU Test Results]\r\n1=5|Pass\r\n");
    XQMenu32 menu;
    EXPECT_FALSE(QFile::exists(resultsFile()));
    EXPECT_TRUE(menu.EnableTestPrompt());
    EXPECT_FALSE(menu.DisableGroupTestButton());
    EXPECT_TRUE(menu.OverallPassFail().isEmpty());
}

TEST_F(ResultsFileTest, EndTestTimeIsNow) {
    const QString before = resultsFileTime(QDateTime::currentDateTime());
    ASSERT_TRUE(recordEndTestTime(QStringLiteral("PSU")));
    const QString after = resultsFileTime(QDateTime::currentDateTime());
    const QString written = result(QStringLiteral("EndTestTime"));
    EXPECT_TRUE(written == before || written == after) << written.toStdString();
}

} // namespace
