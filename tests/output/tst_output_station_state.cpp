// The station's live state in its run tables, written by the real menu object
// at the start and the end of a run (stopped or aborted): in a real SQLite
// file, or (built as tst_output_station_state_pg) on the real PostgreSQL
// server the test command starts, under a station name of the test's own. A
// database that cannot be reached never holds up a run and costs one note.

#include "output/DatabaseFixture.h"

#include "frame/Clock.h"
#include "output/database/RunTables.h"
#include "output/database/StationState.h"
#include "support/TestDatabase.h"

#include <XQTestDev/XQMenu32.h>

#include <QFileInfo>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

constexpr int Settled = 15000; // ms: a state written or given up

class LiveState : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        ASSERT_TRUE(waitForStationStates(Settled));
        forgetStationDatabase();
        clock.emplace(QDateTime(QDate(2026, 12, 11), QTime(8, 0), QTimeZone::utc()));
#ifdef XQ_STATION_STATE_PG
        if (qEnvironmentVariableIsSet("XQ_PG_CLUSTER_NOT_RUNNING"))
            FAIL() << "The test cluster did not start";
        if (qEnvironmentVariableIsEmpty("XQ_PG_PORT"))
            GTEST_SKIP() << "No PostgreSQL server: run through ctest";
        station = nameOwnedByRunningTest(QStringLiteral("ATE-"));
        db = openTestServer(QStringLiteral("test-pg"));
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        QSqlQuery(db).exec(QStringLiteral("SET client_min_messages = warning"));
        writeStation(
            "ServerName=" +
            (qEnvironmentVariable("XQ_PG_HOST") + u':' + qEnvironmentVariable("XQ_PG_PORT"))
                .toUtf8() +
            "\r\nUserName=" + qEnvironmentVariable("XQ_PG_USER").toUtf8() +
            "\r\nPassword=" + qEnvironmentVariable("XQ_PG_PASSWORD").toUtf8() +
            "\r\nDatabaseName=" + qEnvironmentVariable("XQ_PG_DATABASE").toUtf8());
#else
        station = QStringLiteral("ATE-07");
        db = sqlite(dbPath());
        writeStation("DatabaseName=" + dbPath().toUtf8());
#endif
        QString error;
        ASSERT_TRUE(ensureRunTables(db, &error)) << error.toStdString();
        forgetState();
        writeProduct(sampleLines());
        menu = std::make_unique<XQMenu32>();
        menu->setEnableTestPrompt(false);
        runModel().run.product = QStringLiteral("PSU");
        runModel().run.operatorId = QStringLiteral("OP01");
        menu->ShowMenu();
    }
    void TearDown() override {
        menu.reset();
        EXPECT_TRUE(waitForStationStates(Settled));
        if (db.isOpen())
            forgetState();
        db = QSqlDatabase();
        forgetStationDatabase();
        clock.reset();
        DatabaseTest::TearDown();
    }

    void writeStation(const QByteArray& database) const {
        writeIni(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=" + station.toUtf8() +
                                                "\r\n\r\n[Database]\r\n" + database +
                                                "\r\n\r\n[History]\r\nVersion=ATE-2026.1\r\n");
    }
    void forgetState() {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("DELETE FROM xq_station WHERE station = ?"));
        query.addBindValue(station);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }

    // The station's row as "state|product|serial|since|last seen", times in UTC.
    QString stateIn(const QSqlDatabase& database) const {
        const bool postgres = database.driverName() == QLatin1String("QPSQL");
        const QString time = postgres ? QStringLiteral("to_char(%1 AT TIME ZONE 'UTC', "
                                                       "'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"')")
                                      : QStringLiteral("%1");
        QSqlQuery query(database);
        query.prepare(QStringLiteral("SELECT state, product, serial_number, %1, %2 FROM "
                                     "xq_station WHERE station = ?")
                          .arg(time.arg(QStringLiteral("state_since")),
                               time.arg(QStringLiteral("last_seen"))));
        query.addBindValue(station);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        if (!query.next())
            return QStringLiteral("<none>");
        QStringList values;
        for (int i = 0; i < 5; ++i)
            values << query.value(i).toString();
        return values.join(u'|');
    }
    QString state() const {
        return stateIn(db);
    }

    // As the run tables keep times; the manual clock's have a millisecond.
    static QString at(const QDateTime& time) {
        return time.toUTC().toString(Qt::ISODateWithMs);
    }

    // One unit through the menu; `during` runs inside the run, before its end.
    void testUnit(const QString& serial, bool aborted, const std::function<void()>& during = {}) {
        menu->setSerialNumber(serial);
        const QMetaObject::Connection c =
            QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [&] {
                if (during)
                    during();
                clock->advance(40000);
                if (aborted) {
                    abortRunInProgress(QStringLiteral("the fixture did not close"));
                    return;
                }
                menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0);
                menu->StopTest();
            });
        ASSERT_TRUE(menu->StartAllTest());
        QObject::disconnect(c);
    }

    QString station;
    QSqlDatabase db;
    std::optional<ManualClock> clock;
    std::unique_ptr<XQMenu32> menu;
};

// Testing with the unit from the run's start; idle, without a unit, from its
// end, whether it was stopped or aborted.
TEST_F(LiveState, TheStateFollowsEachRunFromItsStartToItsEnd) {
    for (const bool aborted : {false, true}) {
        SCOPED_TRACE(aborted ? "aborted" : "stopped");
        const QDateTime start = clock->now();
        const QString serial = aborted ? QStringLiteral("SN-2") : QStringLiteral("SN-1");
        QString during;
        testUnit(serial, aborted, [&] {
            EXPECT_TRUE(waitForStationStates(Settled));
            during = state();
        });
        EXPECT_EQ(during, QStringLiteral("testing|PSU|%1|%2|%2").arg(serial, at(start)));
        ASSERT_TRUE(waitForStationStates(Settled));
        const QDateTime end = start.addSecs(40);
        EXPECT_EQ(state(), QStringLiteral("idle|||%1|%1").arg(at(end)));
        clock->advance(5 * 60 * 1000);
    }
    // The state is the station's own: it never stands in for the run's row.
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(runBackupFiles().isEmpty());
}

#ifdef XQ_STATION_STATE_PG

// A listening socket that never answers: a server that takes connections and
// then says nothing (frozen, overloaded), until the connect time-out.
class SilentServer {
public:
    SilentServer() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 16);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(fd_); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    int port() const { return port_; }

private:
    int fd_;
    int port_ = 0;
};

// The run ends while the writer still waits for the server: the run never
// waited for it. Both states of the run are given up with one note, nothing
// is queued, and once the server answers again the next run's state is
// written as if nothing had happened.
TEST_F(LiveState, AServerThatDoesNotAnswerNeverHoldsUpARun) {
    SilentServer silent;
    writeStation("ServerName=127.0.0.1:" + QByteArray::number(silent.port()) +
                 "\r\nUserName=nobody\r\nPassword=x\r\nDatabaseName=xq");
    ::testing::internal::CaptureStderr();
    testUnit(QStringLiteral("SN-1"), false);
    const bool settledAtTheEnd = waitForStationStates(0);
    const bool settled = waitForStationStates(Settled);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(settledAtTheEnd);
    EXPECT_TRUE(settled);
    const std::string note = "the station's live state is not written";
    const size_t first = said.find(note);
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(note, first + 1), std::string::npos) << said;
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_TRUE(runBackupFiles().isEmpty());
    EXPECT_EQ(state(), QStringLiteral("<none>"));

    writeStation(
        "ServerName=" +
        (qEnvironmentVariable("XQ_PG_HOST") + u':' + qEnvironmentVariable("XQ_PG_PORT")).toUtf8() +
        "\r\nUserName=" + qEnvironmentVariable("XQ_PG_USER").toUtf8() +
        "\r\nPassword=" + qEnvironmentVariable("XQ_PG_PASSWORD").toUtf8() +
        "\r\nDatabaseName=" + qEnvironmentVariable("XQ_PG_DATABASE").toUtf8());
    const QDateTime start = clock->now();
    testUnit(QStringLiteral("SN-2"), true);
    ASSERT_TRUE(waitForStationStates(Settled));
    EXPECT_EQ(state(), QStringLiteral("idle|||%1|%1").arg(at(start.addSecs(40))));
}

#else

// The state goes to the database the station's runs went to last; before its
// first write, to ATE.INI's. A state alone never makes an SQLite file.
TEST_F(LiveState, TheStateGoesWhereTheStationsRunsGo) {
    const QString other = root() + QStringLiteral("other.db");
    testUnit(QStringLiteral("SN-1"), false);
    ASSERT_TRUE(waitForStationStates(Settled));
    EXPECT_FALSE(QFileInfo::exists(other));
    write(msAccess, other);
    ASSERT_TRUE(QFileInfo::exists(other));
    const QDateTime start = clock->now();
    QString during;
    testUnit(QStringLiteral("SN-2"), false, [&] {
        EXPECT_TRUE(waitForStationStates(Settled));
        during = stateIn(sqlite(other));
    });
    EXPECT_EQ(during, QStringLiteral("testing|PSU|SN-2|%1|%1").arg(at(start)));
    ASSERT_TRUE(waitForStationStates(Settled));
    EXPECT_EQ(stateIn(sqlite(other)), QStringLiteral("idle|||%1|%1").arg(at(start.addSecs(40))));
    // The first file keeps the state of the run that went there.
    EXPECT_EQ(state(),
              QStringLiteral("idle|||%1|%1")
                  .arg(at(QDateTime(QDate(2026, 12, 11), QTime(8, 0, 40, 1), QTimeZone::utc()))));

    const QString missing = root() + QStringLiteral("not-made.db");
    forgetStationDatabase();
    writeStation("DatabaseName=" + missing.toUtf8());
    ::testing::internal::CaptureStderr();
    testUnit(QStringLiteral("SN-3"), true);
    ASSERT_TRUE(waitForStationStates(Settled));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(QFileInfo::exists(missing));
    // Not made yet is not down: nothing to say.
    EXPECT_EQ(said.find("the station's live state is not written"), std::string::npos) << said;
}

#endif

} // namespace
