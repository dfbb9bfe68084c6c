// A report of 498 test lines (the most a product holds) on the recording
// printer, beside its floor: writing the same text file durably.

#include "BenchMain.h"

#include "frame/DurableFile.h"
#include "frame/LibraryState.h"
#include "output/RecordingPrinter.h"
#include "output/ReportFile.h"
#include "output/ReportRun.h"
#include "run/RunSession.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace XQTestDev;

namespace {

struct Station {
    QTemporaryDir dir;
    int messages = 0;

    Station() {
        const QString folder = dir.path() + QLatin1Char('/');
        write(folder + QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\n");
        QByteArray spec = "[PSU]\r\nCustomerName=ACME\r\nLocalPN=LP-100\r\nCustomerPN=CP-200\r\n"
                          "LocalAssyPN=LA-300\r\nRemark=Batch,Fixture\r\n\r\n[PSU Spec]\r\n";
        QByteArray results = "[PSU Test Results]\r\nStartTestTime=03/07/2024 02:05:09 pm\r\n"
                             "EndTestTime=03/07/2024 02:17:45 pm\r\nOperatorID=OP01\r\n"
                             "SerialNumber=SN0001\r\nTestID=Production\r\nOverallPassFail=PASS\r\n"
                             "Remark1=B-17\r\nRemark2=3\r\n";
        for (int line = 1; line <= 498; ++line) {
            const QByteArray number = QByteArray::number(line);
            spec += number + "=F" + number + ",4.75,5.25,5.00,V,Group" +
                    QByteArray::number(line / 10) + ",Parameter " + number + ",\r\n";
            results += number + (line % 7 ? "=5.012|Pass\r\n" : "=12345.678|Fail\r\n");
        }
        spec += "499=<EOT>\r\n";
        write(folder + QStringLiteral("PRODUCTS.INI"), spec);
        write(folder + QStringLiteral("XQResults.ini"), results);

        ensureLibraryStarted();
        library().iniDirectory = folder;
        library().resultsDirectory = folder;
        runModel().run.product = QStringLiteral("PSU");
        setMessageHandler([this](const MessageRequest&) {
            ++messages;
            return int(ResultOK);
        });
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

Station& station() {
    static Station instance;
    return instance;
}

void BM_PrintReport(benchmark::State& state) {
    station();
    size_t lines = 0;
    for (auto _ : state) {
        testing::RecordingPrinter printer;
        printReport(printer, QStringLiteral("1.0.0"));
        lines = printer.lines.size();
    }
    state.counters["printed_lines"] = double(lines);
    state.counters["messages"] = station().messages;
}
BENCHMARK(BM_PrintReport)->Unit(benchmark::kMillisecond);

// The same report text, written durably: what the report cannot undercut.
void BM_PrintReport_Floor(benchmark::State& state) {
    station();
    QFile report(reportFilePath());
    const QByteArray bytes = report.open(QIODevice::ReadOnly) ? report.readAll() : QByteArray();
    const QString target = station().dir.path() + QStringLiteral("/floor.txt");
    for (auto _ : state)
        benchmark::DoNotOptimize(writeFileDurably(target, bytes).ok);
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_PrintReport_Floor)->Unit(benchmark::kMillisecond);

// Beyond the write, the report reads the run back from the results file,
// formats 681 lines from one walk of the test lines and probes its folder
// first: its CPU time is some eight times the floor's, its wall time 1.5 to 4.5
// times as fsync varies (the README's benchmark table says where it goes).
const bool ratiosDeclared = [] {
    expectRatio("BM_PrintReport", "BM_PrintReport_Floor", 3.0);
    return true;
}();

} // namespace
