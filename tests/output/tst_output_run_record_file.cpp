// The record file of a finished run: where it lands, what it holds (checked
// against the shipped JSON Schema by Python's jsonschema), and what bad serial
// numbers, a full disk, an early abort and a second write leave behind.

#include "output/RunRecordFixture.h"

#include "frame/DurableFile.h"
#include "frame/RunOutputs.h"
#include "output/RunRecordFile.h"
#include "output/RunRecordJson.h"
#include "support/StationFixture.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class RecordFile : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        forgetWaitingRunRecords();
        setWriteFaultHookForTesting({});
    }
    void TearDown() override {
        setWriteFaultHookForTesting({});
        forgetWaitingRunRecords();
        StationTest::TearDown();
    }

    QString dayFolder() const { return resultsDir() + QStringLiteral("runs/2026/12/10/"); }

    // Every file below the results folder, relative to it.
    QStringList allFiles() const {
        QStringList files;
        QDirIterator it(resultsDir(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(resultsDir().size());
        files.sort();
        return files;
    }

    // Runs the shipped validator over `path`; its output when it fails.
    static std::pair<int, QString> validate(const QString& path) {
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(XQ_SOURCE_DIR "/schemas/validate-run-record.py"), path});
        python.waitForFinished(60000);
        return {python.exitCode(),
                QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError())};
    }
    static void expectValid(const QString& path) {
        const auto [code, output] = validate(path);
        EXPECT_EQ(code, 0) << output.toStdString();
    }
};

TEST_F(RecordFile, A498LineRunIsWrittenWithEveryKeyAndValidatesAgainstTheSchema) {
    const RunRecord record = sampleRunRecord();
    ASSERT_TRUE(writeRunRecordFile(record));

    const QString path =
        dayFolder() + QStringLiteral("ATE-PSU-01_SN-2026-0001_20261210T162752000.json");
    EXPECT_EQ(allFiles(), QStringList{path.mid(resultsDir().size())});
    ASSERT_FALSE(lastRunRecordFile().isEmpty());
    EXPECT_EQ(lastRunRecordFile(), path);
    const QJsonObject json = QJsonDocument::fromJson(readFile(path)).object();
    EXPECT_EQ(json.keys(),
              QStringList({"aborted",      "complete",        "config",   "finish",
                           "instruments",  "libraryVersion",  "lines",    "model",
                           "operator",     "product",         "revision", "schema",
                           "serialNumber", "softwareVersion", "start",    "station",
                           "testId",       "untested",        "verdict",  "workOrder"}));
    EXPECT_TRUE(json["complete"].toBool());
    EXPECT_EQ(json["schema"].toString(), "xqtestdev.run/1");
    EXPECT_EQ(json["start"].toString(), "2026-12-10T16:27:52+01:00");
    EXPECT_EQ(json["finish"].toString(), "2026-12-10T16:28:53+01:00");
    EXPECT_EQ(json["untested"].toInt(), 71);
    EXPECT_EQ(json["config"]["ateIni"]["checksum"].toString(), "9f1c0a77");
    EXPECT_TRUE(json["config"]["productsIni"]["approved"].toBool());
    EXPECT_EQ(json["instruments"][0]["resource"].toString(), "GPIB0::22::INSTR");
    const QJsonArray lines = json["lines"].toArray();
    ASSERT_EQ(lines.size(), 498);
    EXPECT_EQ(lines[4].toObject(), QJsonObject({{"key", "5"},
                                                {"group", "Group 1"},
                                                {"parameter", "Parameter 5"},
                                                {"min", "4.75"},
                                                {"max", "5.25"},
                                                {"unit", "V"},
                                                {"value", "5.4"},
                                                {"number", 5.4},
                                                {"verdict", "Fail"},
                                                {"time", "2026-12-10T16:27:52+01:00"}}));
    EXPECT_TRUE(lines[6]["number"].isNull()); // untested
    EXPECT_EQ(lines[6]["time"].toString(), "");
    EXPECT_TRUE(lines[10]["number"].isNull()); // a word
    EXPECT_EQ(lines[2]["min"].toString(), ""); // no limits
    EXPECT_EQ(lines[2]["max"].toString(), "");

    // What the file holds reads back to the run that was written.
    const std::optional<RunRecord> back = runRecordFromBytes(readFile(path));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->serialNumber, record.serialNumber);
    EXPECT_EQ(back->start, record.start);
    ASSERT_EQ(back->lines.size(), record.lines.size());
    EXPECT_EQ(back->lines[4].number, record.lines[4].number);
    expectValid(path);
}

TEST_F(RecordFile, TheSchemaRefusesARecordThatBreaksIt) {
    ASSERT_TRUE(writeRunRecordFile(sampleRunRecord(3)));
    const QString path = lastRunRecordFile();
    QJsonObject json = QJsonDocument::fromJson(readFile(path)).object();
    json.remove(QStringLiteral("untested"));
    json["verdict"] = QStringLiteral("Passed");
    writeFile(path, QJsonDocument(json).toJson());

    const auto [code, output] = validate(path);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(output.contains(QStringLiteral("1 invalid"))) << output.toStdString();
}

// Each serial number lands in one file directly in the day's folder, named
// by its own text with the unsafe characters coded.
TEST_F(RecordFile, UnsafeSerialNumbersNeverLeadOutsideTheRunsFolder) {
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("A/B"), QStringLiteral("A%2FB")},
        {QStringLiteral(".."), QStringLiteral("..")},
        {QStringLiteral("../../../../etc/passwd"),
         QStringLiteral("..%2F..%2F..%2F..%2Fetc%2Fpasswd")},
        {QStringLiteral("SN\x01\n\t7"), QStringLiteral("SN%01%0A%097")},
        {QStringLiteral("a\\b:c*d?e\"f<g>h|i%j"),
         QStringLiteral("a%5Cb%3Ac%2Ad%3Fe%22f%3Cg%3Eh%7Ci%25j")},
        {QStringLiteral("Prüf 1"), QStringLiteral("Prüf 1")},
        {QString(), QString()},
    };
    QStringList expected;
    for (const auto& [serial, coded] : cases) {
        ASSERT_TRUE(writeRunRecordFile(sampleRunRecord(2, serial))) << serial.toStdString();
        expected
            << QStringLiteral("runs/2026/12/10/ATE-PSU-01_%1_20261210T162752000.json").arg(coded);
        const QJsonObject json = QJsonDocument::fromJson(readFile(lastRunRecordFile())).object();
        EXPECT_EQ(json["serialNumber"].toString(), serial); // the text itself, not its code
    }
    expected.sort();
    EXPECT_EQ(allFiles(), expected);
    expectValid(resultsDir() + QStringLiteral("runs"));
}

TEST_F(RecordFile, AVeryLongSerialNumberStillGetsAFileOfItsOwn) {
    const QString first = QString(300, QLatin1Char('7')) + QStringLiteral("A");
    const QString second = QString(300, QLatin1Char('7')) + QStringLiteral("B");
    ASSERT_TRUE(writeRunRecordFile(sampleRunRecord(2, first)));
    ASSERT_TRUE(writeRunRecordFile(sampleRunRecord(2, second)));

    const QStringList files = allFiles();
    ASSERT_EQ(files.size(), 2);
    for (const QString& file : files)
        EXPECT_LE(QFileInfo(file).fileName().toUtf8().size(), 200);
}

// The disk is full at the end of a run: no file, not even a part of one; the
// operator and standard error are told once; the record is written when the
// next run ends, before that run's own.
TEST_F(RecordFile, AFullDiskLosesNoRecordAndSaysSoOnce) {
    setWriteFaultHookForTesting([](WriteStep step) -> std::optional<int> {
        if (step == WriteStep::Write)
            return ENOSPC;
        return std::nullopt;
    });
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(writeRunRecordFile(sampleRunRecord(498)));
    EXPECT_FALSE(writeRunRecordFile(sampleRunRecord(498, QStringLiteral("SN-2"))));
    const QString said = QString::fromStdString(::testing::internal::GetCapturedStderr());

    EXPECT_EQ(said.count(QStringLiteral("Run record not written")), 2) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("SN-2026-0001"))) << said.toStdString();
    EXPECT_TRUE(statusWindow().line(3).startsWith(QStringLiteral("Run record not written")));
    EXPECT_TRUE(allFiles().isEmpty()) << allFiles().join(u' ').toStdString();
    EXPECT_EQ(waitingRunRecords(), 2);

    setWriteFaultHookForTesting({});
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(writeRunRecordFile(sampleRunRecord(498, QStringLiteral("SN-3"))));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(waitingRunRecords(), 0);
    EXPECT_EQ(allFiles(),
              QStringList({"runs/2026/12/10/ATE-PSU-01_SN-2026-0001_20261210T162752000.json",
                           "runs/2026/12/10/ATE-PSU-01_SN-2_20261210T162752000.json",
                           "runs/2026/12/10/ATE-PSU-01_SN-3_20261210T162752000.json"}));
    expectValid(resultsDir() + QStringLiteral("runs"));
}

TEST_F(RecordFile, TheSameRecordWrittenTwiceIsOneWholeFile) {
    const RunRecord record = sampleRunRecord(40);
    ASSERT_TRUE(writeRunRecordFile(record));
    const QByteArray once = readFile(lastRunRecordFile());
    ASSERT_TRUE(writeRunRecordFile(record));

    EXPECT_EQ(allFiles().size(), 1);
    EXPECT_EQ(readFile(lastRunRecordFile()), once);
}

TEST_F(RecordFile, ARunAbortedBeforeAnyResultNamesEveryLineUntested) {
    RunRecord record = sampleRunRecord(6);
    for (RunRecordLine& line : record.lines) {
        line.value.clear();
        line.number.reset();
        line.verdict = Verdict::Untested;
        line.measuredAt = QDateTime();
    }
    record.untested = 6;
    record.aborted = true;
    record.verdict = Verdict::Untested;
    record.instruments.clear();
    ASSERT_TRUE(writeRunRecordFile(record));

    const QJsonObject json = QJsonDocument::fromJson(readFile(lastRunRecordFile())).object();
    EXPECT_TRUE(json["aborted"].toBool());
    EXPECT_EQ(json["untested"].toInt(), 6);
    EXPECT_EQ(json["verdict"].toString(), "");
    EXPECT_EQ(json["lines"].toArray().size(), 6);
    EXPECT_EQ(json["instruments"].toArray().size(), 0);
    expectValid(lastRunRecordFile());
}

// A product whose list has no end tag: the run is kept with the lines read,
// marked in its file, and the operator and standard error are told why.
TEST_F(RecordFile, APartialRunIsKeptMarkedAndSaid) {
    RunRecord record = sampleRunRecord(12);
    record.complete = false;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(writeRunRecordFile(record));
    const QString said = QString::fromStdString(::testing::internal::GetCapturedStderr());

    const QByteArray bytes = readFile(lastRunRecordFile());
    const QJsonObject json = QJsonDocument::fromJson(bytes).object();
    EXPECT_FALSE(json["complete"].toBool(true));
    EXPECT_EQ(json["lines"].toArray().size(), 12);
    EXPECT_FALSE(runRecordFromBytes(bytes)->complete);
    const QString expected = QStringLiteral("Partial run: %1 has no <EOT>").arg(record.product);
    EXPECT_TRUE(said.contains(expected)) << said.toStdString();
    EXPECT_EQ(statusWindow().line(3), expected);
    expectValid(lastRunRecordFile());
}

// A record written before partial runs were marked reads back as whole.
TEST_F(RecordFile, ARecordWithoutTheMarkReadsAsWhole) {
    QJsonObject json = runRecordJson(sampleRunRecord(3));
    json.remove(QStringLiteral("complete"));
    const std::optional<RunRecord> back = runRecordFromBytes(QJsonDocument(json).toJson());
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->complete);
}

// The run reaches the record file through the outputs' seam, with no call of
// its own.
TEST_F(RecordFile, AFinishedRunIsWrittenThroughTheOutputsSeam) {
    notifyRunFinished(sampleRunRecord(5));
    EXPECT_EQ(allFiles(),
              QStringList{"runs/2026/12/10/ATE-PSU-01_SN-2026-0001_20261210T162752000.json"});
}

} // namespace
