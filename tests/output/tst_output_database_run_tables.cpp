// WriteDatabase and the library's own run tables in a real SQLite file: the
// run stored beside the product's row in one transaction, from the run that
// ended last or from the results file, and carried by the backup queue
// through an outage without a loss and without a run stored twice.

#include "output/DatabaseFixture.h"
#include "output/RunRecordFixture.h"

#include "frame/RunOutputs.h"
#include "output/RunRecordFile.h"
#include "run/RunRecordBuilder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class RunTablesWrite : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        forgetWaitingRunRecords();
    }
    void TearDown() override {
        forgetWaitingRunRecords();
        DatabaseTest::TearDown();
    }

    // The run of the sample results file as the run hands it over when it ends.
    static RunRecord endedRun(const QString& serial = QStringLiteral("SN0001")) {
        RunRecord record = sampleRunRecord(4, serial);
        record.product = QStringLiteral("PSU");
        record.station = QStringLiteral("ATE-07");
        record.start = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9));
        record.finish = QDateTime(QDate(2024, 3, 7), QTime(14, 17, 45));
        return record;
    }

    std::vector<QVariantMap> runs() const {
        return sqliteRows(QStringLiteral("SELECT * FROM xq_run ORDER BY id"));
    }
    int count(const QString& table) const {
        return sqliteRows(QStringLiteral("SELECT count(*) AS n FROM %1").arg(table))[0]
            .value(QStringLiteral("n"))
            .toInt();
    }
};

TEST_F(RunTablesWrite, TheRunThatEndedIsStoredWithItsRecordFileAndInstruments) {
    writeSampleStation();
    // The run as it ended: what the results file holds, read by the instrument.
    RunRecord ended = storedRunRecord();
    ended.ended = true;
    ended.instruments = {
        {QStringLiteral("GPIB0::22::INSTR"), QStringLiteral("ORVANTA,DM-3065,SN004417,1.04")}};
    ended.ateIni.approved = ended.productsIni.approved = true;
    keepFinishedRunRecord(ended);
    ASSERT_TRUE(writeRunRecordFile(ended));
    write();

    EXPECT_TRUE(recorder->texts().isEmpty()) << recorder->texts().join(u'\n').toStdString();
    EXPECT_EQ(count(QStringLiteral("PSU_T")), 1);
    const auto stored = runs();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].value("record_file").toString(), lastRunRecordFile());
    EXPECT_TRUE(QFile::exists(stored[0].value("record_file").toString()));
    EXPECT_EQ(stored[0].value("instruments").toString(),
              R"([{"idn":"ORVANTA,DM-3065,SN004417,1.04","resource":"GPIB0::22::INSTR"}])");
    EXPECT_EQ(stored[0].value("config_approved").toInt(), 1);
    EXPECT_EQ(count(QStringLiteral("xq_measurement")), 4);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), "PASS");
}

// A run ended without the header (group tests): the results file and the
// product's lines tell the run, a line without limits included.
TEST_F(RunTablesWrite, ARunWithoutARecordIsStoredAsTheResultsFileTellsIt) {
    writeSampleStation();
    ASSERT_TRUE(writeRunRecordFile(endedRun(QStringLiteral("SN-OTHER")))); // another unit
    write();

    const auto stored = runs();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].value("serial_number").toString(), "SN0001");
    EXPECT_EQ(stored[0].value("station").toString(), "ATE-07");
    EXPECT_EQ(stored[0].value("verdict").toString(), "PASS");
    EXPECT_EQ(stored[0].value("untested").toInt(), 2);
    EXPECT_EQ(stored[0].value("record_file").toString(), "");
    EXPECT_EQ(stored[0].value("ate_ini_version").toString(), "ATE-2026.1");
    EXPECT_EQ(stored[0].value("products_ini_version").toString(), "PSU-7");
    const auto lines = sqliteRows(QStringLiteral(
        "SELECT line_key, min, max, value_text, number, verdict FROM xq_measurement ORDER BY "
        "line_key"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_DOUBLE_EQ(lines[0].value("number").toDouble(), 1.18);
    EXPECT_EQ(lines[0].value("min").toString(), "4.75");
    EXPECT_EQ(lines[1].value("verdict").toString(), "");
    EXPECT_EQ(lines[2].value("min").toString(), ""); // no limits
    EXPECT_EQ(lines[2].value("value_text").toString(), "pass");
    EXPECT_TRUE(lines[2].value("number").isNull());
}

// A database that refuses the run keeps the product's row all the same: the
// row is stored on its own and only the run waits, alone, until the run
// tables take it again.
TEST_F(RunTablesWrite, TheRowStandsOnItsOwnAndOnlyTheRunWaits) {
    writeSampleStation();
    write(); // makes the file and the tables
    QSqlQuery query(sqlite(dbPath()));
    ASSERT_TRUE(query.exec(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON xq_measurement BEGIN SELECT RAISE(ABORT, "
        "'refused'); END")));
    writeRun("SN0002");
    write();

    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T")).size(), 2u);
    EXPECT_EQ(runs().size(), 1u);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), "PASS");
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(runBackupFiles().size(), 1);

    ASSERT_TRUE(query.exec(QStringLiteral("DROP TRIGGER refuse")));
    writeRun("SN0003");
    write();
    QStringList serials;
    for (const QVariantMap& run : runs())
        serials << run.value("serial_number").toString();
    serials.sort();
    EXPECT_EQ(serials, QStringList({"SN0001", "SN0002", "SN0003"}));
    EXPECT_EQ(count(QStringLiteral("PSU_T")), 3);
    EXPECT_TRUE(runBackupFiles().isEmpty());
}

// The database is gone for two runs; the next write stores all three runs in
// both tables. A replay that stops between storing and deleting its files
// does not store a run twice.
TEST_F(RunTablesWrite, AnOutageLosesNoRunAndAReplayedRunIsStoredOnce) {
    writeSampleStation();
    QDir().mkpath(dbPath()); // a folder where the database should be
    write();
    writeRun("SN0002");
    write();
    ASSERT_EQ(backupFiles().size(), 2);
    ASSERT_EQ(runBackupFiles().size(), 2);
    const QString folder = backupFolderPath(QStringLiteral("PSU"));
    const QString kept = backupFiles()[0];
    const QByteArray keptStatement = readFile(folder + kept);
    const QByteArray keptRun = readFile(folder + runBackupFiles()[0]);

    QDir(dbPath()).removeRecursively();
    writeRun("SN0003");
    write();
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(runBackupFiles().isEmpty());
    writeFile(folder + kept, keptStatement); // as if the replay had not deleted them
    writeFile(folder + kept.left(8) + QStringLiteral(".RUN"), keptRun);
    writeRun("SN0004");
    write();

    QStringList serials;
    for (const QVariantMap& run : runs())
        serials << run.value("serial_number").toString();
    serials.sort();
    EXPECT_EQ(serials, QStringList({"SN0001", "SN0002", "SN0003", "SN0004"}));
    EXPECT_EQ(count(QStringLiteral("PSU_T")), 4);
    EXPECT_EQ(count(QStringLiteral("xq_measurement")), 16);
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(runBackupFiles().isEmpty());
}

TEST_F(RunTablesWrite, TheSameRunWrittenTwiceIsOneRunInTheTables) {
    writeSampleStation();
    ASSERT_TRUE(writeRunRecordFile(endedRun()));
    write();
    write();

    EXPECT_EQ(runs().size(), 1u);
    EXPECT_EQ(count(QStringLiteral("xq_measurement")), 4);
}

} // namespace
