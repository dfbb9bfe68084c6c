// WriteDatabase into real SQLite files: the stored row read back with plain
// SQL, the created table, the checks and their messages, the backup folder.

#include "output/DatabaseFixture.h"

#include "output/database/DatabaseMessages.h"
#include "output/database/DatabaseWrite.h"

#include <QRegularExpression>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class SqliteWrite : public DatabaseTest {};

TEST_F(SqliteWrite, EveryColumnReadsBackAsTheResultsFileHoldsIt) {
    writeSqliteStation();
    writeProduct(sampleLines());
    const QByteArray remark40 = "Fixture 7 | slot \"B\", Prüfplatz ÄÖÜ ok!!";
    ASSERT_EQ(QString::fromUtf8(remark40).size(), 40);
    writeRun("O'Brien, #7|A", "03/07/2024 02:05:09 pm",
             "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n",
             "Remark4=" + remark40 + "\r\n");
    runModel().run.product = QStringLiteral("PSU");

    write();

    EXPECT_TRUE(recorder->texts().isEmpty()) << recorder->texts().join(u'\n').toStdString();
    const auto rows = sqliteRows(QStringLiteral(
        "SELECT *, typeof(VOUT) AS tv, typeof(RIPPLE) AS tr, typeof(LEAK) AS tl FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    const QVariantMap& row = rows[0];
    const std::vector<std::pair<const char*, QVariant>> expected = {
        {"ID", 1},
        {"Model", "M1"},
        {"Revision", "B"},
        {"TestID", "Production"},
        {"SerialNumber", "O'Brien, #7|A"},
        {"WorkOrderNumber", "WO-55"},
        {"ATEID", "ATE-07"},
        {"TestStartTime", "2024-03-07 14:05:09"},
        {"TestFinishTime", "2024-03-07 14:17:45"},
        {"Operator", "OP01"},
        {"TestSoftwareRev", "SW-3.1"},
        {"LocalPN", "LP-100"},
        {"LocalAssyPN", "LA-300"},
        {"CustomerPN", "CP-200"},
        {"PassFail", "PASS"},
        {"ATE_INI_Version", "ATE-2026.1"},
        {"Product_INI_Version", "PSU-7"},
        {"Remark1", "B-17"},
        {"Remark2", ""},
        {"Remark3", ""},
        {"Remark4", QString::fromUtf8(remark40)},
        {"VOUT", 1.18},
        {"RIPPLE", 999.999},
        {"FAN", -1.0},
        {"FlagStatus", "A"},
        {"tv", "real"},
        {"tr", "real"},
        {"tl", "null"},
    };
    for (const auto& [column, value] : expected)
        EXPECT_EQ(row.value(QLatin1String(column)).toString(), value.toString()) << column;
    EXPECT_TRUE(row.value(QStringLiteral("LEAK")).isNull());
    EXPECT_EQ(row.value(QStringLiteral("VOUT")).toDouble(), 1.18);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(backupFiles().isEmpty());
}

TEST_F(SqliteWrite, CreatedTableHasItsColumnsDefaultsAndIndex) {
    writeSampleStation();
    write();

    const auto columns = sqliteRows(QStringLiteral("PRAGMA table_info(PSU_T)"));
    QStringList described;
    for (const QVariantMap& column : columns)
        described << QStringLiteral("%1 %2 %3")
                         .arg(column.value(QStringLiteral("name")).toString(),
                              column.value(QStringLiteral("type")).toString(),
                              column.value(QStringLiteral("dflt_value")).toString());
    EXPECT_EQ(described, QStringList({"ID INTEGER ",
                                      "Model VARCHAR(30) ''",
                                      "Revision VARCHAR(30) ''",
                                      "TestID VARCHAR(30) ''",
                                      "SerialNumber VARCHAR(30) ''",
                                      "WorkOrderNumber VARCHAR(30) ''",
                                      "ATEID VARCHAR(20) ''",
                                      "TestStartTime DATETIME '1900-01-01 00:00:00'",
                                      "TestFinishTime DATETIME '1900-01-01 00:00:00'",
                                      "Operator VARCHAR(20) ''",
                                      "TestSoftwareRev VARCHAR(20) ''",
                                      "LocalPN VARCHAR(30) ''",
                                      "LocalAssyPN VARCHAR(30) ''",
                                      "CustomerPN VARCHAR(30) ''",
                                      "PassFail VARCHAR(10) ''",
                                      "ATE_INI_Version VARCHAR(20) ''",
                                      "Product_INI_Version VARCHAR(20) ''",
                                      "Remark1 VARCHAR(40) ''",
                                      "Remark2 VARCHAR(40) ''",
                                      "Remark3 VARCHAR(40) ''",
                                      "Remark4 VARCHAR(40) ''",
                                      "VOUT REAL 999.999",
                                      "RIPPLE REAL 999.999",
                                      "FAN REAL 999.999",
                                      "LEAK REAL 999.999",
                                      "FlagStatus VARCHAR(1) 'A'"}));
    EXPECT_EQ(columns[0].value(QStringLiteral("pk")).toInt(), 1);

    QStringList indexed;
    for (const QVariantMap& column : sqliteRows(QStringLiteral("PRAGMA index_info(PSU_T_IDX2)")))
        indexed << column.value(QStringLiteral("name")).toString();
    EXPECT_EQ(indexed, QStringList({"Model", "TestID", "SerialNumber", "WorkOrderNumber", "ATEID",
                                    "TestStartTime", "PassFail", "FlagStatus"}));
    // Auto-increment never gives a deleted row's number again.
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT name FROM sqlite_master WHERE "
                                        "name = 'sqlite_sequence'"))
                  .size(),
              1u);
}

TEST_F(SqliteWrite, TimesAreDatesThatSortAndCalculate) {
    writeSampleStation();
    write();
    writeRun("SN0002", "12/31/2023 11:59:59 pm");
    write();
    writeRun("SN0003", "03/07/2024 09:00:00 am");
    write();

    QStringList order;
    for (const QVariantMap& row : sqliteRows(
             QStringLiteral("SELECT SerialNumber, strftime('%Y', TestStartTime) AS year FROM PSU_T "
                            "ORDER BY TestStartTime")))
        order << row.value(QStringLiteral("SerialNumber")).toString() + QLatin1Char('/') +
                     row.value(QStringLiteral("year")).toString();
    EXPECT_EQ(order, QStringList({"SN0002/2023", "SN0003/2024", "SN0001/2024"}));
}

struct HostileValue {
    const char* name;
    QByteArray serial;
};

class HostileValues : public DatabaseTest, public ::testing::WithParamInterface<HostileValue> {};

TEST_P(HostileValues, AreStoredAsTypedAndNothingElseHappens) {
    writeSampleStation();
    writeRun(GetParam().serial);
    write();

    const auto rows = sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(QStringLiteral("SerialNumber")).toString(),
              QString::fromUtf8(GetParam().serial));
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' "
                                        "AND name <> 'sqlite_sequence' AND name NOT LIKE 'xq!_%' "
                                        "ESCAPE '!'"))
                  .size(),
              1u);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(backupFiles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Serials, HostileValues,
    ::testing::Values(HostileValue{"Quote", "O'Brien"},
                      HostileValue{"Injection", "x'); DROP TABLE PSU_T; --"},
                      HostileValue{"Brackets", "[a]],'b'''"},
                      HostileValue{"Placeholder",
                                   "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(SqliteWrite, DatabaseTypeOtherThanZeroOrOneWritesNothing) {
    writeSampleStation();
    const QByteArray before = readFile(resultsDir() + QStringLiteral("XQResults.ini"));
    write(static_cast<DBType>(7));

    EXPECT_EQ(recorder->texts(), QStringList({DatabaseMessages::invalidDatabaseType()}));
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(readFile(resultsDir() + QStringLiteral("XQResults.ini")), before);
    EXPECT_FALSE(QFile::exists(dbPath()));
    EXPECT_FALSE(QFileInfo::exists(backupRootPath()));
}

TEST_F(SqliteWrite, NoProductWritesNothing) {
    writeSqliteStation();
    writeProduct(sampleLines());
    write();

    EXPECT_EQ(recorder->texts(), QStringList({DatabaseMessages::missingProductName()}));
    EXPECT_FALSE(QFile::exists(dbPath()));
    EXPECT_FALSE(QFileInfo::exists(backupRootPath()));
}

TEST_F(SqliteWrite, ArgumentsNameProductVersionAndFile) {
    writeSampleStation();
    runModel().run.product.clear();
    const QString other = root() + QStringLiteral("other.db");
    XQSQL32 writer;
    writer.WriteDatabase(QStringLiteral("PSU"), QStringLiteral("SW-9"), msAccess, other);

    const auto rows = select(sqlite(other), QStringLiteral("SELECT TestSoftwareRev FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(QStringLiteral("TestSoftwareRev")).toString(), QStringLiteral("SW-9"));
    EXPECT_FALSE(QFile::exists(dbPath()));
}

// The first check that applies acts alone; the write goes on.
struct PlausibilityCase {
    const char* name;
    QByteArray ate;     // [Database] keys and more
    QByteArray extra;   // results keys that override the run's
    QByteArray version; // TestSoftwareVersion
    QStringList messages;
    bool stored;
};

class PlausibilityChain : public DatabaseTest,
                          public ::testing::WithParamInterface<PlausibilityCase> {};

TEST_P(PlausibilityChain, ShowsOnlyTheFirstWarning) {
    const PlausibilityCase& c = GetParam();
    QByteArray ate = c.ate;
    ate.replace("<db>", dbPath().toUtf8());
    writeIni(QStringLiteral("ATE.INI"), ate);
    writeProduct(sampleLines());
    writeRun("SN0001", "03/07/2024 02:05:09 pm",
             "1=1.18|Pass\r\n2=1|Pass\r\n3=1|Pass\r\n4=1|Pass\r\n", c.extra);
    writeStationValue(StationFile::Results, QStringLiteral("ATE Configuration"),
                      QStringLiteral("TestSoftwareVersion"), QString::fromUtf8(c.version));
    runModel().run.product = QStringLiteral("PSU");
    write();

    EXPECT_EQ(recorder->texts(), c.messages);
    EXPECT_EQ(QFile::exists(dbPath()) &&
                  sqliteRows(QStringLiteral("SELECT * FROM PSU_T")).size() == 1,
              c.stored);
}

const QByteArray FullAte = "[ATE Configuration]\r\nID=ATE-07\r\n[Database]\r\nDatabaseName=<db>\r\n"
                           "[History]\r\nVersion=A-1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, PlausibilityChain,
    ::testing::Values(
        PlausibilityCase{"AllPresent", FullAte, {}, "SW-1", {}, true},
        PlausibilityCase{"NoDatabaseName",
                         "[ATE Configuration]\r\nID=\r\n[History]\r\nVersion=A-1\r\n",
                         {},
                         "SW-1",
                         {DatabaseMessages::missingDatabaseName()},
                         false},
        PlausibilityCase{"NoAteIdNoVerdict",
                         "[Database]\r\nDatabaseName=<db>\r\n",
                         "OverallPassFail=\r\n",
                         "SW-1",
                         {DatabaseMessages::missingAteId()},
                         true},
        PlausibilityCase{"NoVerdict",
                         FullAte,
                         "OverallPassFail=\r\n",
                         "SW-1",
                         {DatabaseMessages::missingVerdict()},
                         true},
        PlausibilityCase{"NoSerialNoVersion",
                         FullAte,
                         "SerialNumber=\r\n",
                         "",
                         {DatabaseMessages::missingSerialNumber()},
                         true},
        PlausibilityCase{
            "NoVersion", FullAte, {}, "", {DatabaseMessages::missingSoftwareVersion()}, true},
        PlausibilityCase{"NoAteVersion",
                         "[ATE Configuration]\r\nID=ATE-07\r\n[Database]\r\n"
                         "DatabaseName=<db>\r\n",
                         {},
                         "SW-1",
                         {DatabaseMessages::missingAteIniVersion()},
                         true},
        PlausibilityCase{"BadStartHidesMissingAteVersion",
                         "[ATE Configuration]\r\nID=ATE-07\r\n[Database]\r\nDatabaseName=<db>\r\n",
                         "StartTestTime=soon\r\n",
                         "SW-1",
                         {},
                         true}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(SqliteWrite, ServerChecksDoNotApplyToAnSqliteFile) {
    writeSampleStation();
    writeStationValue(StationFile::Results, QStringLiteral("ATE Configuration"),
                      QStringLiteral("TestSoftwareVersion"), QString());
    write();
    // No user or server name is asked of a station file; the version is.
    EXPECT_EQ(recorder->texts(), QStringList({DatabaseMessages::missingSoftwareVersion()}));
}

TEST_F(SqliteWrite, StartTimeThatIsNoDateIsRepairedAndWrittenBack) {
    writeSampleStation();
    writeRun("SN0001", "not a date");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    write();

    const QString repaired = results(QStringLiteral("StartTestTime"));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d (am|pm)$"))
            .match(repaired)
            .hasMatch())
        << repaired.toStdString();
    const auto rows = sqliteRows(QStringLiteral("SELECT TestStartTime FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    const QDateTime stored =
        QDateTime::fromString(rows[0].value(QStringLiteral("TestStartTime")).toString(),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_GE(stored, before.addMSecs(-before.time().msec()));
    EXPECT_TRUE(recorder->texts().isEmpty());
}

TEST_F(SqliteWrite, WhenBothTimesAreNoDatesOnlyTheStartIsRepaired) {
    writeSampleStation();
    writeRun("SN0001", "", "1=1|Pass\r\n2=1|Pass\r\n3=1|Pass\r\n4=1|Pass\r\n",
             "EndTestTime=later\r\n");
    write();

    EXPECT_FALSE(results(QStringLiteral("StartTestTime")).isEmpty());
    EXPECT_EQ(results(QStringLiteral("EndTestTime")), QStringLiteral("later"));
    // The row is kept; the finish time that is no date is stored as no time.
    const auto rows = sqliteRows(QStringLiteral("SELECT TestStartTime, TestFinishTime FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(rows[0].value(QStringLiteral("TestStartTime")).isNull());
    EXPECT_TRUE(rows[0].value(QStringLiteral("TestFinishTime")).isNull());
}

TEST_F(SqliteWrite, IncompleteLinesAreNamedAndTheirColumnsKept) {
    writeSqliteStation();
    writeProduct({"VOUT,4.75,5.25,5.00,V,Output,Output voltage", "RIPPLE,0,50",
                  "FAN,,,,,Output,Fan", "<eot>"});
    writeRun("SN0001", "03/07/2024 02:05:09 pm", "1=1.5|Pass|extra\r\n2=3|Pass\r\n3=on|Pass\r\n");
    runModel().run.product = QStringLiteral("PSU");
    write();

    EXPECT_EQ(recorder->texts(), QStringList({DatabaseMessages::resultLineIncomplete(1),
                                              DatabaseMessages::specLineIncomplete(2)}));
    const auto rows = sqliteRows(QStringLiteral("SELECT VOUT, RIPPLE, FAN FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].value(QStringLiteral("VOUT")).isNull());
    EXPECT_EQ(rows[0].value(QStringLiteral("RIPPLE")).toDouble(), 3.0);
    EXPECT_EQ(rows[0].value(QStringLiteral("FAN")).toDouble(), -1.0);
}

// Ways a write ends without a stored row: what is left for the next write.
class FailedWrite;

struct FailureCase {
    const char* name;
    std::function<void(FailedWrite&, const QString& dbPath)> arrange;
    QString lastAccess;
    int backups;
    MessageIcon icon;
    bool messageShown;
};

class FailedWrite : public DatabaseTest, public ::testing::WithParamInterface<FailureCase> {
public:
    using DatabaseTest::resultsDir;
    using DatabaseTest::sampleLines;
    using DatabaseTest::writeFile;
    using DatabaseTest::writeProduct;
};

TEST_P(FailedWrite, KeepsTheRowAsABackupStatement) {
    writeSampleStation();
    GetParam().arrange(*this, dbPath());
    write();

    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), GetParam().lastAccess);
    const QStringList files = backupFiles();
    ASSERT_EQ(files.size(), GetParam().backups);
    for (const QString& file : files) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}\\.SQL$")).match(file).hasMatch());
        const QString text = backupText(file);
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        EXPECT_EQ(text.count(QStringLiteral("\r\n")), 1);
        EXPECT_TRUE(text.startsWith(QStringLiteral("INSERT INTO "))) << text.toStdString();
    }
    EXPECT_EQ(!recorder->messages.empty(), GetParam().messageShown)
        << recorder->texts().join(u'|').toStdString();
    if (!recorder->messages.empty()) {
        EXPECT_EQ(recorder->messages[0].icon, GetParam().icon);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedWrite,
    ::testing::Values(
        FailureCase{"NoTableName",
                    [](FailedWrite& station, const QString&) {
                        station.writeProduct(FailedWrite::sampleLines(), "");
                    },
                    "", 1, MessageIcon::Critical, true},
        FailureCase{"NoEndTag",
                    [](FailedWrite& station, const QString&) {
                        QList<QByteArray> lines = FailedWrite::sampleLines();
                        lines.removeLast();
                        station.writeProduct(lines);
                    },
                    "FAIL", 1, MessageIcon::Exclamation, false},
        FailureCase{"TextFileAtPath",
                    [](FailedWrite& station, const QString& db) {
                        station.writeFile(db, "station notes\n");
                    },
                    "FAIL", 1, MessageIcon::Critical, true},
        FailureCase{"FolderAtPath", [](FailedWrite&, const QString& db) { QDir().mkpath(db); },
                    "FAIL", 1, MessageIcon::Critical, true},
        FailureCase{"PathInMissingFolder",
                    [](FailedWrite& station, const QString& db) {
                        station.writeFile(
                            QFileInfo(db).path() + QStringLiteral("/ini/ATE.INI"),
                            "[ATE Configuration]\r\nID=ATE-07\r\n[Database]\r\nDatabaseName=" +
                                QFileInfo(db).path().toUtf8() +
                                "/missing/station.db\r\n[History]\r\nVersion=A\r\n");
                    },
                    "FAIL", 1, MessageIcon::Critical, true}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(SqliteWrite, TextResultThatIsNoNumberIsKeptAsText) {
    writeSampleStation();
    writeRun("SN0001", "03/07/2024 02:05:09 pm",
             "1=1.4.2|Pass\r\n2=OPEN|Fail\r\n3=1|Pass\r\n4=1|Pass\r\n");
    write();

    const auto rows = sqliteRows(
        QStringLiteral("SELECT VOUT, typeof(VOUT) AS tv, RIPPLE, typeof(RIPPLE) AS tr FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(QStringLiteral("VOUT")).toString(), QStringLiteral("1.4.2"));
    EXPECT_EQ(rows[0].value(QStringLiteral("tv")).toString(), QStringLiteral("text"));
    EXPECT_EQ(rows[0].value(QStringLiteral("RIPPLE")).toString(), QStringLiteral("OPEN"));
    EXPECT_EQ(rows[0].value(QStringLiteral("tr")).toString(), QStringLiteral("text"));
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
}

TEST_F(SqliteWrite, AForeignFileAtTheDatabasePathIsNeverOverwritten) {
    writeSampleStation();
    writeFile(dbPath(), "station notes\n");
    write();
    EXPECT_EQ(readFile(dbPath()), QByteArray("station notes\n"));
}

TEST_F(SqliteWrite, NoEndTagKeepsTheLinesReadSoFarForTheNextWrite) {
    writeSampleStation();
    QList<QByteArray> lines = sampleLines();
    lines.removeLast();
    writeProduct(lines);
    write();
    ASSERT_EQ(backupFiles().size(), 1);
    EXPECT_TRUE(backupText(backupFiles()[0]).contains(QStringLiteral("[LEAK]) VALUES (")));

    writeProduct(sampleLines());
    writeRun("SN0002");
    write();
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT * FROM PSU_T")).size(), 2u);
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
}

TEST_F(SqliteWrite, NoTableNameSavesThePlaceholderAndALaterWriteStoresIt) {
    writeSampleStation();
    writeProduct(sampleLines(), "");
    write();
    EXPECT_EQ(recorder->texts(), QStringList({DatabaseMessages::missingTableName()}));
    ASSERT_EQ(backupFiles().size(), 1);
    EXPECT_TRUE(backupText(backupFiles()[0])
                    .startsWith(QStringLiteral("INSERT INTO ") + QString(50, u'X') +
                                QStringLiteral(" ([Model],[Revision],")));
    EXPECT_FALSE(QFile::exists(dbPath()));

    writeProduct(sampleLines());
    writeRun("SN0002");
    write();
    QStringList serials;
    for (const QVariantMap& row :
         sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T ORDER BY ID")))
        serials << row.value(QStringLiteral("SerialNumber")).toString();
    EXPECT_EQ(serials, QStringList({"SN0002", "SN0001"}));
    EXPECT_TRUE(backupFiles().isEmpty());
}

TEST_F(SqliteWrite, BackupsAreStoredInTheOrderTheyWereSaved) {
    writeSampleStation();
    writeFile(dbPath(), "not yet a database");
    for (const char* serial : {"SN-A", "SN-B", "SN-C"}) {
        writeRun(serial);
        write();
    }
    ASSERT_EQ(backupFiles().size(), 3);
    QFile::remove(dbPath());
    writeRun("SN-D");
    write();

    QStringList serials;
    for (const QVariantMap& row :
         sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T ORDER BY ID")))
        serials << row.value(QStringLiteral("SerialNumber")).toString();
    EXPECT_EQ(serials, QStringList({"SN-D", "SN-A", "SN-B", "SN-C"}));
    EXPECT_TRUE(backupFiles().isEmpty());
}

// Backup files a replay meets: what it does with each.
struct ReplayCase {
    const char* name;
    QByteArray content;
    QStringList filesAfter; // "SQL" or "ERR" per file left
    QString lastAccess;
    int rows;
};

class Replay : public DatabaseTest, public ::testing::WithParamInterface<ReplayCase> {};

TEST_P(Replay, HandlesEachKindOfFile) {
    writeSampleStation();
    QDir().mkpath(backupFolderPath(QStringLiteral("PSU")));
    writeFile(backupFolderPath(QStringLiteral("PSU")) + QStringLiteral("00000042.SQL"),
              GetParam().content);
    write();

    QStringList kinds;
    for (const QString& file : backupFiles())
        kinds << file.right(3);
    EXPECT_EQ(kinds, GetParam().filesAfter);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), GetParam().lastAccess);
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT * FROM PSU_T")).size(), size_t(GetParam().rows));
    if (GetParam().filesAfter == QStringList({"ERR"})) {
        EXPECT_TRUE(QFile::exists(backupFolderPath(QStringLiteral("PSU")) +
                                  QStringLiteral("00000042.ERR")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Replay,
    ::testing::Values(
        ReplayCase{"Empty", "", {"SQL"}, "PASS", 1},
        ReplayCase{"EmptyLine", "\r\n", {"SQL"}, "PASS", 1},
        ReplayCase{"Binary", QByteArray("\x00\x01\xff\xfeSQLite", 10), {"ERR"}, "FAIL", 1},
        ReplayCase{"Unparsable", "DELETE FROM PSU_T\r\n", {"ERR"}, "FAIL", 1},
        ReplayCase{"UnknownColumn",
                   "INSERT INTO [PSU_T] ([Model],[NOPE]) VALUES ('M','1')\r\n",
                   {"ERR"},
                   "FAIL",
                   1},
        ReplayCase{"Valid",
                   "INSERT INTO [PSU_T] ([Model],[SerialNumber],[VOUT]) VALUES "
                   "('M9','SN9','2.5')\r\n",
                   {},
                   "PASS",
                   2},
        ReplayCase{"FilledPlaceholderOfAnotherSystem",
                   "INSERT INTO PSU_T                                              ([Model]) "
                   "VALUES ('M9')\r\n",
                   {},
                   "PASS",
                   2}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(SqliteWrite, ABackupOfARowAlreadyStoredIsNotStoredTwice) {
    writeSampleStation();
    write();
    // As if the station stopped after storing a replayed row and before
    // deleting its file.
    const QString statement =
        QStringLiteral("INSERT INTO [PSU_T] ([Model],[TestID],[SerialNumber],[WorkOrderNumber],"
                       "[ATEID],[TestStartTime],[PassFail]) VALUES ('M1','Production','SN0001',"
                       "'WO-55','ATE-07','03/07/2024 02:05:09 pm','PASS')");
    saveBackupStatement(statement, QStringLiteral("PSU"));
    writeRun("SN0002");
    write();

    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT * FROM PSU_T")).size(), 2u);
    EXPECT_TRUE(backupFiles().isEmpty());
}

TEST_F(SqliteWrite, LockedFileLosesNoRunAndStoresEachOnce) {
    writeSampleStation();
    write(); // the file and its table exist
    QSqlDatabase other = sqlite(dbPath());
    QSqlQuery lock(other);
    ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
    for (const char* serial : {"SN-A", "SN-B", "SN-C"}) {
        writeRun(serial);
        write();
        EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("FAIL"));
    }
    ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
    writeRun("SN-D");
    write();

    QStringList serials;
    for (const QVariantMap& row : sqliteRows(
             QStringLiteral("SELECT SerialNumber, count(*) AS n FROM PSU_T GROUP BY SerialNumber "
                            "ORDER BY SerialNumber")))
        serials << row.value(QStringLiteral("SerialNumber")).toString() + QLatin1Char('x') +
                       row.value(QStringLiteral("n")).toString();
    EXPECT_EQ(serials, QStringList({"SN-Ax1", "SN-Bx1", "SN-Cx1", "SN-Dx1", "SN0001x1"}));
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
}

TEST_F(SqliteWrite, AThousandWaitingBackupsAreAllStored) {
    writeSampleStation();
    QDir().mkpath(backupFolderPath(QStringLiteral("PSU")));
    for (int i = 0; i < 1000; ++i)
        writeFile(
            backupFolderPath(QStringLiteral("PSU")) +
                QStringLiteral("%1.SQL").arg(i, 8, 10, QLatin1Char('0')),
            QStringLiteral("INSERT INTO [PSU_T] ([SerialNumber],[VOUT]) VALUES ('B%1','%2')\r\n")
                .arg(i)
                .arg(i * 0.5)
                .toUtf8());
    ASSERT_EQ(backupFiles().size(), 1000);
    write();

    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT * FROM PSU_T")).size(), 1001u);
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(recorder->texts().isEmpty());
}

// A station that dies at any moment (power cut, kill) leaves a file that
// SQLite rolls back to its last commit: whole rows only, and the next write
// goes on with it.
TEST_F(SqliteWrite, FileSurvivesAStationKilledWhileWriting) {
    writeSampleStation();
    write(); // the file and its table exist before the station starts writing
    for (const int killAfterMs : {5, 23, 61, 150, 250}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                writeDatabase(QStringLiteral("PSU"), QStringLiteral("SW"), msAccess, dbPath());
        }
        ::usleep(useconds_t(killAfterMs) * 1000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
    }
    writeRun("SN-AFTER");
    write();
    // The killed stations did store rows: the kills fell among real writes.
    EXPECT_GT(sqliteRows(QStringLiteral("SELECT * FROM PSU_T")).size(), 3u);

    const auto check = sqliteRows(QStringLiteral("PRAGMA integrity_check"));
    ASSERT_EQ(check.size(), 1u);
    EXPECT_EQ(check[0].first().toString(), QStringLiteral("ok"));
    const auto last = sqliteRows(QStringLiteral("SELECT SerialNumber, VOUT, FAN FROM PSU_T "
                                                "ORDER BY ID DESC LIMIT 1"));
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].value(QStringLiteral("SerialNumber")).toString(), QStringLiteral("SN-AFTER"));
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT * FROM PSU_T WHERE VOUT IS NOT 1.18 OR FAN <> -1"))
                  .size(),
              0u);
}

struct FolderCase {
    const char* name;
    QString product;
    QString folder;
};

class ProductFolders : public DatabaseTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(ProductFolders, StayInsideTheBackupFolder) {
    EXPECT_EQ(safeFolderName(GetParam().product), GetParam().folder);
    writeSqliteStation();
    writeProduct(sampleLines(), "", GetParam().product.toUtf8());
    writeRun("SN0001", "03/07/2024 02:05:09 pm", "1=1|Pass\r\n", {}, GetParam().product.toUtf8());
    XQSQL32 writer;
    writer.WriteDatabase(GetParam().product, QStringLiteral("SW"));

    const QDir backups(backupRootPath());
    EXPECT_EQ(backups.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({GetParam().folder}));
    EXPECT_EQ(QDir(backups.filePath(GetParam().folder))
                  .entryList({QStringLiteral("*.SQL")}, QDir::Files)
                  .size(),
              1);
    // Nothing beside the backup folder in the results folder but the results file.
    EXPECT_EQ(QDir(resultsDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"XQDATABAK", "XQResults.ini"}));
}

INSTANTIATE_TEST_SUITE_P(Names, ProductFolders,
                         ::testing::Values(FolderCase{"Plain", "PSU 5V", "PSU 5V"},
                                           FolderCase{"Parent", "../../evil", "..%2F..%2Fevil"},
                                           FolderCase{"Backslash", "a\\b", "a%5Cb"},
                                           FolderCase{"Dots", "..", "%2E%2E"},
                                           FolderCase{"Percent", "50%", "50%25"}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// The results folder cannot take the backup: it waits in the held-runs
// folder, said on standard error and the status window, and the next write
// stores it.
TEST_F(SqliteWrite, ABackupTheResultsFolderRefusesWaitsInTheHeldFolder) {
    writeSampleStation();
    writeProduct(sampleLines(), "");
    writeFile(resultsDir() + QStringLiteral("XQDATABAK"), "a file where the folder belongs");
    write();
    ASSERT_EQ(recorder->texts().size(), 1); // the missing table name, nothing about the backup
    EXPECT_EQ(QDir(heldBackupRootPath() + QStringLiteral("PSU"))
                  .entryList({QStringLiteral("*.SQL")}, QDir::Files)
                  .size(),
              1);

    writeProduct(sampleLines());
    QFile::remove(resultsDir() + QStringLiteral("XQDATABAK"));
    writeRun("SN0002");
    write();
    EXPECT_EQ(sqliteRows(QStringLiteral("SELECT SerialNumber FROM PSU_T ORDER BY rowid")).size(),
              2u);
    EXPECT_TRUE(QDir(heldBackupRootPath() + QStringLiteral("PSU"))
                    .entryList({QStringLiteral("*.SQL")}, QDir::Files)
                    .isEmpty());
}

TEST_F(SqliteWrite, BackupThatCannotBeSavedIsNamedWithItsError) {
    writeSampleStation();
    writeProduct(sampleLines(), "");
    writeFile(resultsDir() + QStringLiteral("XQDATABAK"), "a file where the folder belongs");
    writeFile(qEnvironmentVariable("XQ_HELD_RUNS_DIR"), "a file where the held folder belongs");
    write();

    ASSERT_EQ(recorder->texts().size(), 2);
    EXPECT_TRUE(recorder->texts()[1].endsWith(QStringLiteral("!, Unable to save a SQL file!")))
        << recorder->texts()[1].toStdString();
    EXPECT_EQ(recorder->messages[1].icon, MessageIcon::Critical);
}

TEST_F(SqliteWrite, SoftwareVersionKeptByTheHeaderWins) {
    writeSampleStation();
    runModel().softwareVersion = QStringLiteral("SW-HEADER");
    write();
    const auto rows = sqliteRows(QStringLiteral("SELECT TestSoftwareRev FROM PSU_T"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(QStringLiteral("TestSoftwareRev")).toString(),
              QStringLiteral("SW-HEADER"));
}

} // namespace
