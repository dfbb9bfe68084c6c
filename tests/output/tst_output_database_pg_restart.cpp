// A server connection kept between writes, across a restart of the private
// PostgreSQL cluster: the write after the restart lands, or waits in the
// backup queue and lands with the next one; no run is lost. It restarts the
// cluster every other database test uses, so ctest runs it alone.

#include "output/DatabaseFixture.h"

#include "output/database/KeptConnections.h"
#include "support/TestDatabase.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class ServerRestart : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (qEnvironmentVariableIsSet("XQ_PG_CLUSTER_NOT_RUNNING"))
            FAIL() << "The test cluster did not start: "
                   << qEnvironmentVariable("XQ_PG_CLUSTER_NOT_RUNNING").toStdString();
        if (qEnvironmentVariableIsEmpty("XQ_PG_PORT"))
            GTEST_SKIP() << "No PostgreSQL server: run through ctest";
        table_ = nameOwnedByRunningTest(QStringLiteral("t_"));
        ASSERT_TRUE(execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table_)));
        ASSERT_TRUE(execute(
            QStringLiteral("CREATE TABLE %1 (ID serial PRIMARY KEY, Model varchar(30), Revision "
                           "varchar(30), TestID varchar(30), SerialNumber varchar(30), "
                           "WorkOrderNumber varchar(30), ATEID varchar(20), TestStartTime "
                           "timestamp, TestFinishTime timestamp, Operator varchar(20), "
                           "TestSoftwareRev varchar(20), LocalPN varchar(30), LocalAssyPN "
                           "varchar(30), CustomerPN varchar(30), PassFail varchar(10), "
                           "ATE_INI_Version varchar(20), Product_INI_Version varchar(20), "
                           "Remark1 varchar(40), Remark2 varchar(40), Remark3 varchar(40), "
                           "Remark4 varchar(40), VOUT double precision, RIPPLE double "
                           "precision, FAN double precision, LEAK double precision, FlagStatus "
                           "varchar(1) DEFAULT 'A')")
                .arg(table_)));
        address_.type = msSQLServer;
        address_.serverName = env("XQ_PG_HOST") + u':' + env("XQ_PG_PORT");
        address_.userName = env("XQ_PG_USER");
        address_.password = env("XQ_PG_PASSWORD");
        address_.databaseName = env("XQ_PG_DATABASE");
        writeAte("ServerName=" + address_.serverName.toUtf8() + "\r\nUserName=" +
                 address_.userName.toUtf8() + "\r\nPassword=" + address_.password.toUtf8() +
                 "\r\nDatabaseName=" + address_.databaseName.toUtf8() + "\r\n");
        writeProduct(sampleLines(), table_.toUpper().toUtf8());
        runModel().run.product = QStringLiteral("PSU");
    }
    void TearDown() override {
        if (!table_.isEmpty())
            execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table_));
        DatabaseTest::TearDown();
    }

    static QString env(const char* name) { return qEnvironmentVariable(name); }

    // On a connection of the test's own, opened afresh: the server may have
    // restarted since the last statement.
    static bool execute(const QString& sql) {
        bool done = false;
        {
            QSqlDatabase db = openTestServer(QStringLiteral("test-restart"));
            QSqlQuery query(db);
            done = query.exec(sql);
            EXPECT_TRUE(done) << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-restart"));
        return done;
    }
    QStringList storedSerials() const {
        QStringList serials;
        {
            const QSqlDatabase db = openTestServer(QStringLiteral("test-restart"));
            serials = queryColumn(
                db,
                QStringLiteral("SELECT serialnumber FROM %1 ORDER BY serialnumber").arg(table_));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-restart"));
        return serials;
    }

    static void restartCluster() {
        QProcess restart;
        restart.start(QStringLiteral(XQ_PG_CLUSTER_SCRIPT),
                      {QStringLiteral("restart"), QStringLiteral(XQ_PG_CLUSTER_STATE)});
        ASSERT_TRUE(restart.waitForFinished(60000));
        ASSERT_EQ(restart.exitCode(), 0) << restart.readAllStandardError().toStdString();
    }

    QString table_;
    DatabaseAddress address_;
};

TEST_F(ServerRestart, TheWriteAfterARestartLandsOnANewConnection) {
    writeRun("SN0001");
    write(msSQLServer);
    ASSERT_EQ(storedSerials(), QStringList({"SN0001"}));
    const QString before = keptConnection(address_).connectionName();
    writeRun("SN0002");
    write(msSQLServer);
    ASSERT_EQ(keptConnection(address_).connectionName(), before) << "the connection is kept";

    restartCluster();
    writeRun("SN0003");
    write(msSQLServer);

    // Nothing was lost, nothing waits: the dead connection was noticed
    // before anything was sent on it.
    EXPECT_EQ(storedSerials(), QStringList({"SN0001", "SN0002", "SN0003"}));
    EXPECT_TRUE(backupFiles().isEmpty()) << backupFiles().join(u' ').toStdString();
    EXPECT_TRUE(runBackupFiles().isEmpty());
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(recorder->texts().isEmpty()) << recorder->texts().join(u'\n').toStdString();
    EXPECT_NE(keptConnection(address_).connectionName(), before);
}

} // namespace
