// WriteDatabase against a real PostgreSQL server: the private cluster that
// the test command starts (scripts/pg-test-cluster.sh), reached through the
// XQ_PG_* variables.

#include "output/DatabaseFixture.h"

#include "output/database/DatabaseMessages.h"
#include "output/database/KeptConnections.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class ServerWrite : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (qEnvironmentVariableIsSet("XQ_PG_CLUSTER_NOT_RUNNING"))
            FAIL() << "The test cluster did not start: "
                   << qEnvironmentVariable("XQ_PG_CLUSTER_NOT_RUNNING").toStdString();
        if (qEnvironmentVariableIsEmpty("XQ_PG_PORT"))
            GTEST_SKIP() << "No PostgreSQL server: run through ctest or set XQ_PG_HOST, "
                            "XQ_PG_PORT, XQ_PG_USER, XQ_PG_PASSWORD, XQ_PG_DATABASE";
        const QSqlDatabase db = openTestServer(QStringLiteral("test-pg"));
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        execute(QStringLiteral("SET client_min_messages = warning"));
        table_ = nameOwnedByRunningTest(QStringLiteral("t_"));
        execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table_));
    }
    void TearDown() override {
        if (QSqlDatabase::contains(QStringLiteral("test-pg")) && !table_.isEmpty())
            execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table_));
        DatabaseTest::TearDown();
    }

    static QString env(const char* name) { return qEnvironmentVariable(name); }

    void execute(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(QStringLiteral("test-pg")));
        ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    }
    std::vector<QVariantMap> serverRows(const QString& sql) const {
        return select(QSqlDatabase::database(QStringLiteral("test-pg")), sql.arg(table_));
    }

    // The factory's table, written as a database administrator would: names
    // unquoted, so the server keeps them in lower case.
    void createTable(const QStringList& testColumns) {
        QString sql =
            QStringLiteral(
                "CREATE TABLE %1 (ID serial PRIMARY KEY, Model varchar(30) DEFAULT '', "
                "Revision varchar(30) DEFAULT '', TestID varchar(30) DEFAULT '', "
                "SerialNumber varchar(30) DEFAULT '', WorkOrderNumber varchar(30) DEFAULT '', "
                "ATEID varchar(20) DEFAULT '', TestStartTime timestamp DEFAULT '1900-01-01', "
                "TestFinishTime timestamp DEFAULT '1900-01-01', Operator varchar(20) DEFAULT '', "
                "TestSoftwareRev varchar(20) DEFAULT '', LocalPN varchar(30) DEFAULT '', "
                "LocalAssyPN varchar(30) DEFAULT '', CustomerPN varchar(30) DEFAULT '', "
                "PassFail varchar(10) DEFAULT '', ATE_INI_Version varchar(20) DEFAULT '', "
                "Product_INI_Version varchar(20) DEFAULT '', Remark1 varchar(40) DEFAULT '', "
                "Remark2 varchar(40) DEFAULT '', Remark3 varchar(40) DEFAULT '', "
                "Remark4 varchar(40) DEFAULT ''")
                .arg(table_);
        for (const QString& column : testColumns)
            sql += QStringLiteral(", %1 double precision DEFAULT 999.999").arg(column);
        execute(sql + QStringLiteral(", FlagStatus varchar(1) DEFAULT 'A')"));
    }

    void writeServerStation(const QByteArray& server, const QByteArray& user,
                            const QByteArray& password) const {
        writeAte("ServerName=" + server + "\r\nUserName=" + user + "\r\nPassword=" + password +
                 "\r\nDatabaseName=" + env("XQ_PG_DATABASE").toUtf8() + "\r\n");
    }
    QByteArray serverName() const {
        return (env("XQ_PG_HOST") + u':' + env("XQ_PG_PORT")).toUtf8();
    }
    void writeReachableStation() const {
        writeServerStation(serverName(), env("XQ_PG_USER").toUtf8(),
                           env("XQ_PG_PASSWORD").toUtf8());
    }
    void writeServerProduct() const { writeProduct(sampleLines(), table_.toUpper().toUtf8()); }

    // A local port that nothing listens on: one the system just gave out and
    // took back.
    static int closedPort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(fd);
        return ntohs(address.sin_port);
    }

    QString table_;
};

TEST_F(ServerWrite, EveryColumnReadsBackAsTheResultsFileHoldsIt) {
    createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    writeReachableStation();
    writeServerProduct();
    writeRun("x'); DROP TABLE t; --", "03/07/2024 02:05:09 pm",
             "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n",
             "Remark4=" + QByteArray("Prüfplatz ÄÖÜ, slot \"B\" | row 7 ok!!!!!") + "\r\n");
    runModel().run.product = QStringLiteral("PSU");
    write(msSQLServer);

    EXPECT_TRUE(recorder->texts().isEmpty()) << recorder->texts().join(u'\n').toStdString();
    const auto rows = serverRows(QStringLiteral(
        "SELECT *, pg_typeof(vout)::text AS tv, pg_typeof(teststarttime)::text AS tt, "
        "extract(year FROM teststarttime)::int AS year FROM %1"));
    ASSERT_EQ(rows.size(), 1u);
    const QVariantMap& row = rows[0];
    const std::vector<std::pair<const char*, QString>> expected = {
        {"model", "M1"},
        {"testid", "Production"},
        {"serialnumber", "x'); DROP TABLE t; --"},
        {"ateid", "ATE-07"},
        {"operator", "OP01"},
        {"testsoftwarerev", "SW-3.1"},
        {"customerpn", "CP-200"},
        {"passfail", "PASS"},
        {"ate_ini_version", "ATE-2026.1"},
        {"product_ini_version", "PSU-7"},
        {"remark2", ""},
        {"remark4", QString::fromUtf8("Prüfplatz ÄÖÜ, slot \"B\" | row 7 ok!!!!!")},
        {"flagstatus", "A"},
        {"tv", "double precision"},
        {"tt", "timestamp without time zone"},
        {"year", "2024"},
    };
    for (const auto& [column, value] : expected)
        EXPECT_EQ(row.value(QLatin1String(column)).toString(), value) << column;
    EXPECT_EQ(row.value(QStringLiteral("teststarttime")).toDateTime().toString(Qt::ISODate),
              QStringLiteral("2024-03-07T14:05:09"));
    EXPECT_EQ(row.value(QStringLiteral("vout")).toDouble(), 1.18);
    EXPECT_EQ(row.value(QStringLiteral("ripple")).toDouble(), 999.999);
    EXPECT_EQ(row.value(QStringLiteral("fan")).toDouble(), -1.0);
    EXPECT_TRUE(row.value(QStringLiteral("leak")).isNull());
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(backupFiles().isEmpty());
}

TEST_F(ServerWrite, RowsSortByStartTime) {
    createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    writeReachableStation();
    writeServerProduct();
    runModel().run.product = QStringLiteral("PSU");
    for (const auto& [serial, start] :
         {std::pair<QByteArray, QByteArray>{"SN1", "03/07/2024 02:05:09 pm"},
          {"SN2", "12/31/2023 11:59:59 pm"},
          {"SN3", "03/07/2024 09:00:00 am"}}) {
        writeRun(serial, start);
        write(msSQLServer);
    }
    QStringList order;
    for (const QVariantMap& row :
         serverRows(QStringLiteral("SELECT serialnumber FROM %1 ORDER BY teststarttime")))
        order << row.value(QStringLiteral("serialnumber")).toString();
    EXPECT_EQ(order, QStringList({"SN2", "SN3", "SN1"}));
}

// Ways a server write fails: each leaves FAIL and the row as a backup.
struct ServerFailure {
    const char* name;
    enum class Station { WrongPassword, ClosedPort, NoUser, NoServer, Reachable } station;
    enum class Table { Full, Missing, LacksLeak } table;
    QStringList messages;
    QByteArray resultLines = "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n";
};

class ServerWriteFails : public ServerWrite, public ::testing::WithParamInterface<ServerFailure> {};

TEST_P(ServerWriteFails, KeepsTheRowAsABackupStatement) {
    using Station = ServerFailure::Station;
    using Table = ServerFailure::Table;
    const ServerFailure& c = GetParam();
    if (c.table == Table::Full)
        createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    if (c.table == Table::LacksLeak)
        createTable({"VOUT", "RIPPLE", "FAN"});
    const QByteArray user = env("XQ_PG_USER").toUtf8();
    const QByteArray password = env("XQ_PG_PASSWORD").toUtf8();
    switch (c.station) {
    case Station::WrongPassword:
        writeServerStation(serverName(), user, "not-the-password");
        break;
    case Station::ClosedPort:
        writeServerStation("127.0.0.1:" + QByteArray::number(closedPort()), user, password);
        break;
    case Station::NoUser:
        writeServerStation(serverName(), "", password);
        break;
    case Station::NoServer:
        writeServerStation("", user, password);
        break;
    case Station::Reachable:
        writeReachableStation();
        break;
    }
    writeServerProduct();
    writeRun("SN0001", "03/07/2024 02:05:09 pm", c.resultLines);
    runModel().run.product = QStringLiteral("PSU");
    write(msSQLServer);

    EXPECT_EQ(recorder->texts(), c.messages);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("FAIL"));
    ASSERT_EQ(backupFiles().size(), 1);
    EXPECT_TRUE(backupText(backupFiles()[0]).contains(QStringLiteral("'SN0001'")));
    if (c.table != Table::Missing) {
        EXPECT_TRUE(serverRows(QStringLiteral("SELECT * FROM %1")).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerWriteFails,
    ::testing::Values(
        ServerFailure{
            "WrongPassword", ServerFailure::Station::WrongPassword, ServerFailure::Table::Full, {}},
        ServerFailure{
            "ClosedPort", ServerFailure::Station::ClosedPort, ServerFailure::Table::Full, {}},
        // The warning is shown and the connection still tried.
        ServerFailure{"NoUserName",
                      ServerFailure::Station::NoUser,
                      ServerFailure::Table::Full,
                      {DatabaseMessages::missingUserName()}},
        ServerFailure{"NoServerName",
                      ServerFailure::Station::NoServer,
                      ServerFailure::Table::Full,
                      {DatabaseMessages::missingServerName()}},
        ServerFailure{
            "MissingTable", ServerFailure::Station::Reachable, ServerFailure::Table::Missing, {}},
        ServerFailure{"TableLacksATestColumn",
                      ServerFailure::Station::Reachable,
                      ServerFailure::Table::LacksLeak,
                      {}},
        // A number column refuses a text result, as the server's type says.
        ServerFailure{"TextResultInANumberColumn",
                      ServerFailure::Station::Reachable,
                      ServerFailure::Table::Full,
                      {},
                      "1=1.4.2|Pass\r\n2=1|Pass\r\n3=1|Pass\r\n4=1|Pass\r\n"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(ServerWrite, OutageLosesNoRunAndStoresEachOnce) {
    createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    writeServerProduct();
    runModel().run.product = QStringLiteral("PSU");
    writeServerStation("127.0.0.1:" + QByteArray::number(closedPort()), env("XQ_PG_USER").toUtf8(),
                       env("XQ_PG_PASSWORD").toUtf8());
    for (const char* serial : {"SN-A", "SN-B", "SN-C"}) {
        writeRun(serial);
        write(msSQLServer);
        EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("FAIL"));
    }
    ASSERT_EQ(backupFiles().size(), 3);

    writeReachableStation();
    writeRun("SN-D");
    write(msSQLServer);

    QStringList stored;
    for (const QVariantMap& row : serverRows(QStringLiteral(
             "SELECT serialnumber, count(*) AS n FROM %1 GROUP BY serialnumber ORDER BY 1")))
        stored << row.value(QStringLiteral("serialnumber")).toString() + u'x' +
                      row.value(QStringLiteral("n")).toString();
    EXPECT_EQ(stored, QStringList({"SN-Ax1", "SN-Bx1", "SN-Cx1", "SN-Dx1"}));
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(recorder->texts().isEmpty());
}

TEST_F(ServerWrite, ABackupThatTheTableRefusesIsSetAsideAndTheRestStored) {
    createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    writeReachableStation();
    writeServerProduct();
    runModel().run.product = QStringLiteral("PSU");
    const QString folder = backupFolderPath(QStringLiteral("PSU"));
    QDir().mkpath(folder);
    // Saved in this order: a good row, one with a value too long for its
    // column, another good row.
    writeFile(folder + QStringLiteral("00000003.SQL"),
              "INSERT INTO [" + table_.toUtf8() + "] ([SerialNumber]) VALUES ('B1')\r\n");
    writeFile(folder + QStringLiteral("00000001.SQL"), "INSERT INTO [" + table_.toUtf8() +
                                                           "] ([PassFail]) VALUES ('" +
                                                           QByteArray(11, 'P') + "')\r\n");
    writeFile(folder + QStringLiteral("00000002.SQL"),
              "INSERT INTO " + QByteArray(50, 'X') + " ([SerialNumber]) VALUES ('B2')\r\n");
    const QDateTime base = QDateTime::currentDateTime().addSecs(-60);
    for (const auto& [name, offset] : {std::pair<const char*, int>{"00000003.SQL", 0},
                                       {"00000001.SQL", 1},
                                       {"00000002.SQL", 2}}) {
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(base.addSecs(offset), QFileDevice::FileModificationTime);
    }
    writeRun();
    write(msSQLServer);

    QStringList serials;
    for (const QVariantMap& row :
         serverRows(QStringLiteral("SELECT serialnumber FROM %1 ORDER BY id")))
        serials << row.value(QStringLiteral("serialnumber")).toString();
    EXPECT_EQ(serials, QStringList({"SN0001", "B1"}));
    EXPECT_EQ(backupFiles(), QStringList({"00000001.ERR", "00000002.SQL"}));
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("FAIL"));

    // The next write goes on with the files still waiting.
    writeRun("SN0002");
    write(msSQLServer);
    EXPECT_EQ(serverRows(QStringLiteral("SELECT * FROM %1")).size(), 4u);
    EXPECT_EQ(backupFiles(), QStringList({"00000001.ERR"}));
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
}

TEST_F(ServerWrite, TheShippedTableTakesARunOfTheSampleProduct) {
    QFile sql(QStringLiteral(XQ_SOURCE_DIR "/examples/station/PSU5V100.sql"));
    ASSERT_TRUE(sql.open(QIODevice::ReadOnly));
    execute(QStringLiteral("DROP TABLE IF EXISTS psu5v100"));
    QString text;
    for (const QString& line : QString::fromUtf8(sql.readAll()).split(u'\n'))
        text += line.left(line.indexOf(QLatin1String("--"))) + u'\n';
    for (const QString& statement : text.split(u';')) {
        if (!statement.trimmed().isEmpty())
            execute(statement);
    }
    QFile::copy(QStringLiteral(XQ_SOURCE_DIR "/examples/station/PRODUCTS.INI"),
                iniDir() + QStringLiteral("PRODUCTS.INI"));
    writeReachableStation();
    QByteArray lines;
    for (int line = 1; line <= 23; ++line)
        lines += QByteArray::number(line) + "=" + QByteArray::number(line * 1.5) + "|Pass\r\n";
    writeRun("SN-2026-0001", "03/07/2024 02:05:09 pm", lines + "24=ON|Pass\r\n25=1.4.2|Pass\r\n",
             {}, "PSU5V-100");
    runModel().run.product = QStringLiteral("PSU5V-100");
    write(msSQLServer);

    const auto rows = select(QSqlDatabase::database(QStringLiteral("test-pg")),
                             QStringLiteral("SELECT serialnumber, vout_nl, led_pg, fw_ver, "
                                            "flagstatus FROM psu5v100"));
    execute(QStringLiteral("DROP TABLE psu5v100"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(QStringLiteral("serialnumber")).toString(),
              QStringLiteral("SN-2026-0001"));
    EXPECT_EQ(rows[0].value(QStringLiteral("vout_nl")).toDouble(), 9.0);
    EXPECT_EQ(rows[0].value(QStringLiteral("led_pg")).toDouble(), -1.0);
    EXPECT_EQ(rows[0].value(QStringLiteral("fw_ver")).toString(), QStringLiteral("1.4.2"));
    EXPECT_EQ(rows[0].value(QStringLiteral("flagstatus")).toString(), QStringLiteral("A"));
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase"), QStringLiteral("PSU5V-100")),
              QStringLiteral("PASS"));
}

// A plant's server where the station's role may insert into the product's
// table but create nothing (the test cluster's xq_writer): the run tables
// cannot be made, the product's row is stored all the same, and only the run
// waits in the backup queue.
TEST_F(ServerWrite, ARoleWithoutCreateKeepsStoringProductRows) {
    const QString role = env("XQ_PG_WRITER_USER");
    if (role.isEmpty())
        GTEST_SKIP() << "The test cluster has no role without CREATE";
    createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    execute(QStringLiteral("GRANT SELECT, INSERT ON %1 TO %2").arg(table_, role));
    execute(QStringLiteral("GRANT USAGE ON SEQUENCE %1_id_seq TO %2").arg(table_, role));
    writeServerStation(serverName(), role.toUtf8(), env("XQ_PG_PASSWORD").toUtf8());
    writeServerProduct();
    writeRun();
    runModel().run.product = QStringLiteral("PSU");
    write(msSQLServer);
    writeRun("SN0002");
    write(msSQLServer);

    EXPECT_EQ(serverRows(QStringLiteral("SELECT serialnumber FROM %1 ORDER BY id")).size(), 2u);
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), "PASS");
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(runBackupFiles().size(), 2);
}

// The connection kept from the first write still knows the table as it was;
// the product's new test line lands all the same once the factory added its
// column, and the write after it goes on through one kept connection.
TEST_F(ServerWrite, AColumnAddedBetweenWritesTakesTheNewLine) {
    createTable({"VOUT", "RIPPLE", "FAN", "LEAK"});
    writeReachableStation();
    writeServerProduct();
    runModel().run.product = QStringLiteral("PSU");
    writeRun();
    write(msSQLServer);
    DatabaseAddress address;
    address.type = msSQLServer;
    address.serverName = QString::fromUtf8(serverName());
    address.userName = env("XQ_PG_USER");
    address.password = env("XQ_PG_PASSWORD");
    address.databaseName = env("XQ_PG_DATABASE");
    const QString first = keptConnection(address).connectionName();

    execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN temp double precision DEFAULT 999.999")
                .arg(table_));
    QList<QByteArray> lines = sampleLines();
    lines.insert(4, "TEMP,20,40,30,C,Final,Case temperature,");
    writeProduct(lines, table_.toUpper().toUtf8());
    writeRun("SN0002", "03/07/2024 02:05:09 pm",
             "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n5=31.5|Pass\r\n");
    write(msSQLServer);
    writeRun("SN0003", "03/07/2024 02:06:09 pm",
             "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n5=32.5|Pass\r\n");
    write(msSQLServer);
    const QString after = keptConnection(address).connectionName();

    QStringList stored;
    for (const QVariantMap& row :
         serverRows(QStringLiteral("SELECT serialnumber, temp FROM %1 ORDER BY id")))
        stored << row.value(QStringLiteral("serialnumber")).toString() + u'=' +
                      row.value(QStringLiteral("temp")).toString();
    EXPECT_EQ(stored, QStringList({"SN0001=999.999", "SN0002=31.5", "SN0003=32.5"}));
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(results(QStringLiteral("LastAccessDatabase")), QStringLiteral("PASS"));
    EXPECT_TRUE(recorder->texts().isEmpty());
    // One new connection for the changed table, kept from then on.
    EXPECT_NE(after, first);
    write(msSQLServer);
    EXPECT_EQ(keptConnection(address).connectionName(), after);
}

} // namespace
