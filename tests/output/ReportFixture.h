#pragma once

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "output/RecordingPrinter.h"
#include "output/ReportFile.h"
#include "output/ReportRun.h"
#include "run/RunSession.h"
#include "support/StationFixture.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace XQTestDev::testing {

// A station for reports: ATE.INI, PRODUCTS.INI and the results file written by
// the test, the current product chosen through the run data.
class ReportTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        library().iniDirectory = iniDir();
        runModel().run = RunData();
        runModel().softwareVersion.clear();
        setWriteFaultHookForTesting({});
    }
    void TearDown() override {
        setWriteFaultHookForTesting({});
        StationTest::TearDown();
    }

    void choose(const QString& product) { runModel().run.product = product; }

    void writeResults(const QByteArray& bytes) const {
        writeFile(resultsDir() + QStringLiteral("XQResults.ini"), bytes);
    }
    QByteArray results() const { return readFile(resultsDir() + QStringLiteral("XQResults.ini")); }
    QString resultsValue(const QString& section, const QString& key) const {
        return readStationValue(StationFile::Results, section, key);
    }

    QByteArray report() const { return readFile(reportFilePath()); }
    QStringList reportLines() const {
        QStringList lines = QString::fromUtf8(report()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        return lines;
    }

    static QByteArray expected(const char* name) {
        QFile file(QStringLiteral(XQ_OUTPUT_TEST_DIR "/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A product "PSU" with the given spec lines (keys 1, 2, ...) and extra keys
    // of its spec section, results "<n>=<value>" as given.
    void writeSimpleProduct(const QList<QByteArray>& lines, const QByteArray& specKeys = {}) {
        QByteArray text = "[PSU]\r\nCustomerName=ACME\r\n\r\n[PSU Spec]\r\n" + specKeys;
        int number = 1;
        for (const QByteArray& line : lines)
            text += QByteArray::number(number++) + '=' + line + "\r\n";
        writeIni(QStringLiteral("PRODUCTS.INI"), text);
        writeIni(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\n");
        choose(QStringLiteral("PSU"));
    }
    void writeSimpleResults(const QByteArray& resultKeys, const QByteArray& extra = {}) {
        writeResults("[PSU Test Results]\r\nStartTestTime=03/07/2024 02:05:09 pm\r\n"
                     "EndTestTime=03/07/2024 02:17:45 pm\r\nTestID=Production\r\n"
                     "OverallPassFail=PASS\r\n" +
                     extra + resultKeys);
    }

    RecordingPrinter printer;
};

} // namespace XQTestDev::testing
