// One unit, one verdict: a station program that writes its row and prints its
// report straight after StopTest stores and prints the verdict that the run
// tables, the record file and OverallPassFail hold. Two runs of one unit a
// moment apart stay two runs; a full results folder neither invents a row nor
// loses a run, also across a restart.

#include "output/DatabaseFixture.h"

#include "frame/Clock.h"
#include "frame/DurableFile.h"
#include "output/HeldFolder.h"
#include "output/RunRecordFile.h"
#include "run/RunRecordBuilder.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQReport32.h>

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <optional>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class OneVerdict : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        qputenv("XQ_REPORT_PDF", "1");
        forgetWaitingRunRecords();
        clock.emplace(QDateTime(QDate(2026, 12, 11), QTime(8, 0)));
        writeSqliteStation();
        writeProduct(sampleLines());
        startMenu();
    }
    void TearDown() override {
        setPathWriteFaultHookForTesting({});
        menu.reset();
        forgetWaitingRunRecords();
        clock.reset();
        qunsetenv("XQ_REPORT_PDF");
        DatabaseTest::TearDown();
    }

    void startMenu() {
        menu = std::make_unique<XQMenu32>();
        menu->setEnableTestPrompt(false);
        RunData& run = runModel().run;
        run.product = QStringLiteral("PSU");
        run.operatorId = QStringLiteral("OP01");
        menu->ShowMenu();
    }

    // One unit through the menu: four lines, the output voltage given.
    void testUnit(const QString& serial, double outputVoltage) {
        menu->setSerialNumber(serial);
        const QMetaObject::Connection c =
            QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [&] {
                menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"),
                               outputVoltage);
                menu->SendData(QStringLiteral("Output"), QStringLiteral("Ripple"), 12);
                menu->SendData(QStringLiteral("Output"), QStringLiteral("Fan running"),
                               QStringLiteral("PASS"));
                menu->SendData(QStringLiteral("Final"), QStringLiteral("Leakage"),
                               QStringLiteral("PASS"));
                menu->StopTest();
            });
        ASSERT_TRUE(menu->StartAllTest());
        QObject::disconnect(c);
    }
    void writeAndPrint() {
        write();
        XQReport32().PrintReport(QStringLiteral("SW-9.2"));
    }

    QString reportVerdictLine() const {
        const QString text = QString::fromUtf8(readFile(resultsDir() + "XQ_Report.txt"));
        for (const QString& line : text.split(u'\n')) {
            if (line.contains(QLatin1String("***")))
                return line.trimmed();
        }
        return QStringLiteral("<none>");
    }
    static QJsonObject recordFile(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    QStringList recordFiles() const {
        QStringList files;
        QDirIterator it(resultsDir() + QStringLiteral("runs"), {QStringLiteral("*.json")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort();
        return files;
    }

    std::optional<ManualClock> clock;
    std::unique_ptr<XQMenu32> menu;
};

TEST_F(OneVerdict, EveryOutputStoresTheVerdictOfTheUnitJustStopped) {
    int differing = 0;
    for (int unit = 0; unit < 200; ++unit) {
        // Every third unit fails its output voltage.
        const bool fails = unit % 3 == 1;
        testUnit(QStringLiteral("SN%1").arg(unit, 4, 10, QLatin1Char('0')), fails ? 5.4 : 5.0);
        // Every unit's row; every fifth unit's printed report too (a PDF per
        // unit would make this test a benchmark), passing and failing ones.
        const bool printed = unit % 5 == 0;
        if (printed)
            writeAndPrint();
        else
            write();
        const QString expected = fails ? QStringLiteral("FAIL") : QStringLiteral("PASS");
        const QString row = sqliteRows(QStringLiteral("SELECT PassFail FROM PSU_T ORDER BY rowid "
                                                      "DESC LIMIT 1"))[0]
                                .value(QStringLiteral("PassFail"))
                                .toString();
        const auto run = sqliteRows(
            QStringLiteral("SELECT verdict, record_file FROM xq_run ORDER BY id DESC LIMIT 1"))[0];
        const QString record = recordFile(run.value(QStringLiteral("record_file")).toString())
                                   .value("verdict")
                                   .toString();
        const bool same =
            menu->OverallPassFail() == expected && row == expected &&
            run.value(QStringLiteral("verdict")).toString() == expected && record == expected &&
            (!printed || reportVerdictLine() == QStringLiteral("***%1***").arg(expected));
        if (!same) {
            ++differing;
            ADD_FAILURE() << "unit " << unit << ": menu " << menu->OverallPassFail().toStdString()
                          << ", row " << row.toStdString() << ", run "
                          << run.value("verdict").toString().toStdString() << ", record "
                          << record.toStdString() << ", report "
                          << reportVerdictLine().toStdString();
        }
        clock->advance(1000);
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT count(*) AS n FROM xq_run"))[0].value("n"), 200);
}

// A quick retest of the same unit, 10 ms later: two records, two rows.
TEST_F(OneVerdict, TwoRunsOfOneUnitAMomentApartAreTwoRuns) {
    testUnit(QStringLiteral("SN0001"), 5.4);
    write();
    clock->advance(10);
    testUnit(QStringLiteral("SN0001"), 5.0);
    write();

    EXPECT_EQ(recordFiles().size(), 2);
    const auto runs =
        sqliteRows(QStringLiteral("SELECT serial_number, verdict FROM xq_run ORDER BY id"));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].value("verdict").toString(), "FAIL");
    EXPECT_EQ(runs[1].value("verdict").toString(), "PASS");
}

// The station program's version reaches the run tables and the record.
TEST_F(OneVerdict, TheVersionTheStationProgramGivesIsStored) {
    testUnit(QStringLiteral("SN0001"), 5.0);
    XQSQL32().WriteDatabase(QString(), QStringLiteral("SW-9.2"), msAccess, QString());
    const auto run = sqliteRows(QStringLiteral("SELECT software_version, record_file FROM xq_run"));
    ASSERT_EQ(run.size(), 1u);
    EXPECT_EQ(run[0].value("software_version").toString(), "SW-9.2");
    EXPECT_EQ(recordFile(run[0].value("record_file").toString()).value("softwareVersion"),
              "SW-9.2");
}

// The results folder is full: its writes fail, the station's database lives
// elsewhere and is unreachable as well for the first runs. No run is stored
// with another unit's data or without its serial number and start; once
// space returns, after a restart, every run reaches the tables and has its
// record file.
TEST_F(OneVerdict, AFullResultsFolderNeitherInventsNorLosesARun) {
    const QString dbFolder = root() + QStringLiteral("server-share/");
    writeAte("DatabaseName=" + (dbFolder + QStringLiteral("station.db")).toUtf8() + "\r\n");
    testUnit(QStringLiteral("SN-BEFORE"), 5.0); // a unit before the disk filled
    const QString full = resultsDir();
    setPathWriteFaultHookForTesting([full](WriteStep, const QString& path) -> std::optional<int> {
        return path.startsWith(full) ? std::optional<int>(ENOSPC) : std::nullopt;
    });
    int messages = 0;
    for (int unit = 1; unit <= 4; ++unit) {
        recorder->messages.clear();
        testUnit(QStringLiteral("SN-FULL-%1").arg(unit), unit % 2 ? 5.4 : 5.0);
        messages = std::max(messages, int(recorder->messages.size()));
        if (recorder->messages.size() > 1)
            ADD_FAILURE() << recorder->texts().join(u'\n').toStdString();
        write(); // the database is unreachable: held back
        clock->advance(1000);
    }
    EXPECT_LE(messages, 1) << "one message per run about the full disk";
    EXPECT_EQ(recordFiles().size(), 1); // the unit before the disk filled

    // Space returns and the station restarts: nothing of the runs is in memory.
    setPathWriteFaultHookForTesting({});
    menu.reset();
    resetRunSession();
    forgetFinishedRunRecord();
    QDir().mkpath(dbFolder);
    startMenu();
    testUnit(QStringLiteral("SN-AFTER"), 5.0);
    write();

    const auto runs = select(sqlite(dbFolder + QStringLiteral("station.db")),
                             QStringLiteral("SELECT serial_number, verdict, start_time FROM xq_run "
                                            "ORDER BY start_time"));
    QStringList stored;
    for (const QVariantMap& run : runs) {
        stored << run.value("serial_number").toString() + ':' + run.value("verdict").toString();
        EXPECT_FALSE(run.value("start_time").toString().isEmpty());
    }
    EXPECT_EQ(stored, (QStringList{"SN-FULL-1:FAIL", "SN-FULL-2:PASS", "SN-FULL-3:FAIL",
                                   "SN-FULL-4:PASS", "SN-AFTER:PASS"}));
    const auto rows = select(sqlite(dbFolder + QStringLiteral("station.db")),
                             QStringLiteral("SELECT SerialNumber, PassFail FROM PSU_T"));
    QStringList productRows;
    for (const QVariantMap& row : rows)
        productRows << row.value("SerialNumber").toString() + ':' +
                           row.value("PassFail").toString();
    productRows.sort();
    EXPECT_EQ(productRows, (QStringList{"SN-AFTER:PASS", "SN-FULL-1:FAIL", "SN-FULL-2:PASS",
                                        "SN-FULL-3:FAIL", "SN-FULL-4:PASS"}));
    // Every run's record file is in its place now, the one before the disk
    // filled included; nothing waits any more.
    EXPECT_EQ(recordFiles().size(), 6);
    EXPECT_EQ(waitingRunRecords(), 0);
}

} // namespace
