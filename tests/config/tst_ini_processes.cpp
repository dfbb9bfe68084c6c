// The library's files as a crashed or a concurrent second station program
// leaves them: real child processes, really killed.

#include "support/StationFixture.h"

#include "config/IniDocument.h"
#include "frame/DurableFile.h"
#include "frame/FileLock.h"

#include <XQTestDev/XQUtility32.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString ResultsSection = QStringLiteral("PSU Test Results");

class ChildProcess {
public:
    explicit ChildProcess(const QStringList& arguments) {
        process_.setProgram(QStringLiteral(XQ_INI_WRITER_CHILD));
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
    }
    ~ChildProcess() {
        if (process_.state() != QProcess::NotRunning)
            kill();
    }

    // The first line the child prints, once it is there.
    QString firstLine() {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(10000))
                return {};
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }

    void kill() {
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished(10000);
    }

    bool finishedCleanly() {
        return process_.waitForFinished(60000) && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }

private:
    QProcess process_;
};

class ProcessTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        writeIni(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\n");
        writeIni(QStringLiteral("PRODUCTS.INI"), "[PSU5V]\r\nVersion=P.9\r\n");
        utility.setINIPath(iniDir());
    }

    QString windir() const { return resultsDir().chopped(1); }

    QStringList temporaries(const QString& directory) const {
        return QDir(directory).entryList({QStringLiteral(".*.xqtmp.*")}, QDir::Files | QDir::Hidden,
                                         QDir::Name);
    }

    // Files that look like ours but are not: other names, other patterns.
    QStringList plantDecoys(const QString& directory) const {
        const QStringList decoys{
            QStringLiteral(".XQResults.ini.backup"), QStringLiteral("XQResults.ini.xqtmp.ABCDEF"),
            QStringLiteral(".XQResults.ini.xqtmp.ABC"),
            QStringLiteral(".XQResults.ini.xqtmp.AB-DEF"), QStringLiteral("station-notes.txt")};
        for (const QString& name : decoys)
            writeFile(directory + name, "kept");
        return decoys;
    }

    XQUtility32 utility;
};

TEST_F(ProcessTest, ATemporaryOfALiveWriterStaysAndOneOfAKilledWriterGoesWithTheNextWrite) {
    const QString results = resultsDir() + QStringLiteral("XQResults.ini");
    const QStringList decoys = plantDecoys(resultsDir());
    ChildProcess holder({QStringLiteral("hold"), results});
    const QString held = holder.firstLine();
    ASSERT_TRUE(QFileInfo::exists(held)) << held.toStdString();

    utility.WriteINI(false, ResultsSection, QStringLiteral("1"), QStringLiteral("4.99|Pass"));
    EXPECT_TRUE(QFileInfo::exists(held)) << "a temporary still being written was removed";

    holder.kill();
    ASSERT_TRUE(QFileInfo::exists(held));
    utility.WriteINI(false, ResultsSection, QStringLiteral("2"), QStringLiteral("5.01|Pass"));
    EXPECT_FALSE(QFileInfo::exists(held));
    EXPECT_EQ(temporaries(resultsDir()), (QStringList{QStringLiteral(".XQResults.ini.xqtmp.AB-DEF"),
                                                      QStringLiteral(".XQResults.ini.xqtmp.ABC")}));
    for (const QString& name : decoys)
        EXPECT_EQ(readFile(resultsDir() + name), QByteArray("kept")) << name.toStdString();
    EXPECT_EQ(utility.ReadINI(false, ResultsSection, QStringLiteral("2")),
              QStringLiteral("5.01|Pass"));
}

// Once a write found nothing left over, later writes of the file do not read
// the folder again; a writer that dies in the middle of its write is noticed
// by the lock it leaves, and its temporary goes with the next write.
TEST_F(ProcessTest, AWriterKilledInTheMiddleOfAWriteLeavesNothingAfterTheNextWrite) {
    const QString results = resultsDir() + QStringLiteral("XQResults.ini");
    utility.WriteINI(false, ResultsSection, QStringLiteral("1"), QStringLiteral("4.99|Pass"));
    ChildProcess writer({QStringLiteral("stuck"), results});
    const QString stuck = writer.firstLine();
    ASSERT_TRUE(QFileInfo::exists(stuck)) << stuck.toStdString();
    writer.kill();

    utility.WriteINI(false, ResultsSection, QStringLiteral("2"), QStringLiteral("5.01|Pass"));
    EXPECT_FALSE(QFileInfo::exists(stuck));
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockFilePath(results)));
    EXPECT_EQ(temporaries(resultsDir()), QStringList());
    EXPECT_EQ(utility.ReadINI(false, ResultsSection, QStringLiteral("1")),
              QStringLiteral("4.99|Pass"));
    EXPECT_EQ(utility.ReadINI(false, ResultsSection, QStringLiteral("2")),
              QStringLiteral("5.01|Pass"));
}

TEST_F(ProcessTest, KillsAtRandomMomentsLeaveWholeFilesAndStartUpRemovesEveryLeftover) {
    const QStringList decoys = plantDecoys(resultsDir());
    QRandomGenerator random(20261210);
    int leftoversSeen = 0;
    for (int kill = 0; kill < 40; ++kill) {
        ChildProcess writer({QStringLiteral("loop"), windir(), iniDir()});
        ASSERT_EQ(writer.firstLine(), QStringLiteral("ready"));
        QElapsedTimer running;
        running.start();
        const int lifetimeMs = random.bounded(1, 40);
        while (running.elapsed() < lifetimeMs)
            QThread::usleep(500);
        writer.kill();
        leftoversSeen =
            std::max<int>(leftoversSeen, static_cast<int>(temporaries(resultsDir()).size()));
    }
    std::printf("most leftovers seen at once after a kill: %d\n", leftoversSeen);

    // Every file the killed writers replaced is whole.
    const IniDocument results =
        IniDocument::parse(readFile(resultsDir() + QStringLiteral("XQResults.ini")));
    EXPECT_EQ(results.value(ResultsSection, QStringLiteral("Key0")),
              QString(20000, 'x').left(1022));
    const IniDocument ate = IniDocument::parse(readFile(iniDir() + QStringLiteral("ATE.INI")));
    EXPECT_EQ(ate.value(QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QStringLiteral("ATE-07"));
    EXPECT_EQ(readFile(resultsDir() + QStringLiteral("XQ_Report.txt")).size(), 200 * 82);
    EXPECT_EQ(readFile(resultsDir() + QStringLiteral("XQ_Report.pdf")), QByteArray(50000, 'p'));

    ChildProcess station({QStringLiteral("start"), windir(), iniDir()});
    ASSERT_TRUE(station.finishedCleanly());
    EXPECT_EQ(temporaries(resultsDir()), (QStringList{QStringLiteral(".XQResults.ini.xqtmp.AB-DEF"),
                                                      QStringLiteral(".XQResults.ini.xqtmp.ABC")}));
    EXPECT_EQ(temporaries(iniDir()), QStringList());
    for (const QString& name : decoys)
        EXPECT_EQ(readFile(resultsDir() + name), QByteArray("kept")) << name.toStdString();
}

TEST_F(ProcessTest, TwoProcessesWritingFiveHundredKeysEachLoseNone) {
    utility.WriteINI(false, ResultsSection, QStringLiteral("OverallPassFail"),
                     QStringLiteral("----"));
    ChildProcess first(
        {QStringLiteral("keys"), windir(), QStringLiteral("A"), QStringLiteral("500")});
    ChildProcess second(
        {QStringLiteral("keys"), windir(), QStringLiteral("B"), QStringLiteral("500")});
    ASSERT_TRUE(first.finishedCleanly());
    ASSERT_TRUE(second.finishedCleanly());

    const IniDocument results =
        IniDocument::parse(readFile(resultsDir() + QStringLiteral("XQResults.ini")));
    QStringList lost;
    for (const char* prefix : {"A", "B"}) {
        for (int n = 0; n < 500; ++n) {
            const QString key = QString::fromLatin1(prefix) + QString::number(n);
            if (results.value(ResultsSection, key) != QStringLiteral("%1|Pass").arg(n))
                lost << key;
        }
    }
    EXPECT_TRUE(lost.isEmpty()) << lost.size() << " keys lost: "
                                << lost.mid(0, 20).join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(results.keys(ResultsSection).size(), 1001);
}

TEST_F(ProcessTest, TheLockOfAKilledWriterDoesNotBlock) {
    const QString results = resultsDir() + QStringLiteral("XQResults.ini");
    ChildProcess holder({QStringLiteral("lock"), results});
    ASSERT_EQ(holder.firstLine(), QStringLiteral("locked"));
    holder.kill();
    ASSERT_TRUE(QFileInfo::exists(FileLock::lockFilePath(results)));

    QElapsedTimer took;
    took.start();
    utility.WriteINI(false, ResultsSection, QStringLiteral("1"), QStringLiteral("4.99|Pass"));
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_EQ(utility.ReadINI(false, ResultsSection, QStringLiteral("1")),
              QStringLiteral("4.99|Pass"));
    // The dead writer's lock file goes with the next write's own.
    EXPECT_FALSE(QFileInfo::exists(FileLock::lockFilePath(results)));
}

} // namespace
