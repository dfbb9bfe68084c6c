// The connection, statements and table checks kept between writes into real
// SQLite files: whatever happens to the file or its tables between two writes,
// each write lands as a write on a connection of its own would.

#include "output/DatabaseFixture.h"

#include "output/database/DatabaseWrite.h"
#include "output/database/KeptConnections.h"

#include <QFile>

#include <cstdio>
#include <functional>
#include <ostream>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class KeptSqlite : public DatabaseTest {
public:
    void execute(const QString& file, const QString& sql) {
        QSqlQuery query(sqlite(file));
        ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    }

protected:
    static DatabaseAddress address(const QString& file) {
        DatabaseAddress at;
        at.file = file;
        return at;
    }
    // The name of the connection kept for `file`: the same name, the same
    // connection.
    static QString keptName(const QString& file) {
        return keptConnection(address(file)).connectionName();
    }
    QStringList serials(const QString& file, const QString& table = QStringLiteral("PSU_T")) {
        QStringList found;
        for (const QVariantMap& row :
             select(sqlite(file),
                    QStringLiteral("SELECT SerialNumber FROM %1 ORDER BY ID").arg(table)))
            found << row.value(QStringLiteral("SerialNumber")).toString();
        return found;
    }
    QStringList runSerials(const QString& file) {
        QStringList found;
        for (const QVariantMap& row :
             select(sqlite(file), QStringLiteral("SELECT serial_number, count(m.line_key) AS n "
                                                 "FROM xq_run r LEFT JOIN xq_measurement m ON "
                                                 "m.run_id = r.id GROUP BY r.id ORDER BY r.id")))
            found << row.value(QStringLiteral("serial_number")).toString() + u'x' +
                         row.value(QStringLiteral("n")).toString();
        return found;
    }
    void writeSerial(const QByteArray& serial) {
        writeRun(serial);
        write();
    }
    void expectLanded() {
        EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
        EXPECT_TRUE(backupFiles().isEmpty()) << backupFiles().join(u' ').toStdString();
        EXPECT_TRUE(runBackupFiles().isEmpty());
        EXPECT_TRUE(recorder->texts().isEmpty()) << recorder->texts().join(u'\n').toStdString();
    }
};

TEST_F(KeptSqlite, TheSecondWriteGoesThroughTheFirstWritesConnection) {
    writeSampleStation();
    write();
    const QString first = keptName(dbPath());
    writeSerial("SN0002");
    EXPECT_EQ(keptName(dbPath()), first);
    EXPECT_EQ(serials(dbPath()), QStringList({"SN0001", "SN0002"}));
    EXPECT_EQ(runSerials(dbPath()), QStringList({"SN0001x4", "SN0002x4"}));
    expectLanded();
}

// What happens to the file between the first write (SN0001) and the second
// (SN0002), and what the file at the path holds afterwards.
struct Between {
    const char* name;
    std::function<void(KeptSqlite&, const QString&)> change;
    QStringList rows;
    QStringList runs;
    bool newConnection; // the kept one no longer reaches the file at the path
};

void PrintTo(const Between& between, std::ostream* out) {
    *out << between.name;
}

class KeptSqliteBetweenWrites : public KeptSqlite, public ::testing::WithParamInterface<Between> {};

TEST_P(KeptSqliteBetweenWrites, EveryRowLands) {
    writeSampleStation();
    write();
    ASSERT_EQ(serials(dbPath()), QStringList({"SN0001"}));
    const QString first = keptName(dbPath());
    GetParam().change(*this, dbPath());
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name.startsWith(QLatin1String("test-")))
            QSqlDatabase::removeDatabase(name);
    }

    writeSerial("SN0002");

    EXPECT_EQ(serials(dbPath()), GetParam().rows);
    EXPECT_EQ(runSerials(dbPath()), GetParam().runs);
    expectLanded();
    EXPECT_EQ(keptName(dbPath()) != first, GetParam().newConnection);
    // And the write after it goes on through what the second one found.
    writeSerial("SN0003");
    EXPECT_EQ(serials(dbPath()), GetParam().rows + QStringList{"SN0003"});
    expectLanded();
}

INSTANTIATE_TEST_SUITE_P(
    Change, KeptSqliteBetweenWrites,
    ::testing::Values(
        Between{"FileDeleted",
                [](KeptSqlite&, const QString& file) { ASSERT_TRUE(QFile::remove(file)); },
                {"SN0002"},
                {"SN0002x4"},
                true},
        // A restore moves another database over the file: its rows stay, the
        // product's table and the run tables are made in it.
        Between{"ReplacedByAnotherDatabase",
                [](KeptSqlite& test, const QString& file) {
                    const QString other = file + QStringLiteral(".restored");
                    test.execute(other, QStringLiteral("CREATE TABLE kept_note (note TEXT)"));
                    test.execute(other, QStringLiteral("INSERT INTO kept_note VALUES ('old')"));
                    QSqlDatabase::removeDatabase(QStringLiteral("test-") + other);
                    ASSERT_EQ(::rename(QFile::encodeName(other).constData(),
                                       QFile::encodeName(file).constData()),
                              0);
                },
                {"SN0002"},
                {"SN0002x4"},
                true},
        Between{"ProductTableDroppedByAnotherConnection",
                [](KeptSqlite& test, const QString& file) {
                    test.execute(file, QStringLiteral("DROP TABLE PSU_T"));
                },
                {"SN0002"},
                {"SN0001x4", "SN0002x4"},
                false},
        Between{"RunTablesDroppedByAnotherConnection",
                [](KeptSqlite& test, const QString& file) {
                    for (const char* table : {"xq_measurement", "xq_run", "xq_schema_version"})
                        test.execute(file, QStringLiteral("DROP TABLE %1").arg(table));
                },
                {"SN0001", "SN0002"},
                {"SN0002x4"},
                false},
        // Its columns in another order, under another case: the statement
        // prepared for the old table must not be used on the new one.
        Between{"ProductTableRemadeByAnotherConnection",
                [](KeptSqlite& test, const QString& file) {
                    test.execute(file, QStringLiteral("ALTER TABLE PSU_T RENAME TO old_psu"));
                    test.execute(file,
                                 QStringLiteral("CREATE TABLE psu_t (ID INTEGER PRIMARY KEY, LEAK "
                                                "REAL, FAN REAL, RIPPLE REAL, VOUT REAL, Remark4, "
                                                "Remark3, Remark2, Remark1, Product_INI_Version, "
                                                "ATE_INI_Version, PassFail, CustomerPN, "
                                                "LocalAssyPN, LocalPN, TestSoftwareRev, Operator, "
                                                "TestFinishTime, TestStartTime, ATEID, "
                                                "WorkOrderNumber, SerialNumber, TestID, Revision, "
                                                "Model, FlagStatus DEFAULT 'A')"));
                },
                {"SN0002"},
                {"SN0001x4", "SN0002x4"},
                false}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// New test lines make new columns in the row: a table without them refuses
// it, as on a connection of its own, until another connection adds them;
// then the row waiting in the backup queue goes in with the next.
TEST_F(KeptSqlite, NewTestLinesLandOnceTheTableHasTheirColumns) {
    writeSampleStation();
    write();
    QList<QByteArray> lines = sampleLines();
    lines.insert(4, "TEMP,20,40,30,C,Final,Case temperature,");
    writeProduct(lines);
    writeRun("SN0002", "03/07/2024 02:05:09 pm",
             "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n5=31.5|Pass\r\n");
    write();
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("FAIL"));
    EXPECT_EQ(backupFiles().size(), 1);

    execute(dbPath(), QStringLiteral("ALTER TABLE PSU_T ADD COLUMN TEMP REAL DEFAULT 999.999"));
    QSqlDatabase::removeDatabase(QStringLiteral("test-") + dbPath());
    writeRun("SN0003", "03/07/2024 02:06:09 pm",
             "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n5=32.5|Pass\r\n");
    write();

    std::vector<QVariantMap> rows =
        select(sqlite(dbPath()), QStringLiteral("SELECT SerialNumber, TEMP FROM PSU_T ORDER BY "
                                                "SerialNumber"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].value(QStringLiteral("TEMP")).toDouble(), 31.5);
    EXPECT_EQ(rows[2].value(QStringLiteral("TEMP")).toDouble(), 32.5);
    EXPECT_EQ(runSerials(dbPath()), QStringList({"SN0001x4", "SN0003x5", "SN0002x5"}));
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(backupFiles().isEmpty());
}

TEST_F(KeptSqlite, TwoFilesWrittenInTurnEachKeepTheirOwnRows) {
    writeSampleStation();
    const QString other = root() + QStringLiteral("other.db");
    QStringList expectedHere;
    QStringList expectedThere;
    for (int i = 1; i <= 4; ++i) {
        const QByteArray serial = "SN" + QByteArray::number(i);
        writeRun(serial);
        const bool here = i % 2;
        writeDatabase(QString(), QString(), msAccess, here ? QString() : other);
        (here ? expectedHere : expectedThere) << QString::fromUtf8(serial);
        EXPECT_EQ(serials(dbPath()), expectedHere);
        if (!expectedThere.isEmpty()) {
            EXPECT_EQ(serials(other), expectedThere);
        }
        expectLanded();
    }
    EXPECT_NE(keptName(dbPath()), keptName(other));
}

// Written over in place (the same inode) with something that is no
// database: said as when the write opens the file, and the row waits.
TEST_F(KeptSqlite, AFileWrittenOverInPlaceWithForeignBytesIsLeftAsItIs) {
    writeSampleStation();
    write();
    QFile file(dbPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("station notes\n");
    file.close();

    writeSerial("SN0002");

    EXPECT_EQ(readFile(dbPath()), QByteArray("station notes\n"));
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("FAIL"));
    EXPECT_EQ(backupFiles().size(), 1);
    ASSERT_EQ(recorder->texts().size(), 1);
    EXPECT_TRUE(recorder->texts()[0].endsWith(
        QStringLiteral("is not an SQLite database file and is left as it is")))
        << recorder->texts()[0].toStdString();
}

} // namespace
