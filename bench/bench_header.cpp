// The header menu's hot paths beside their floors: one clock tick over 45
// group windows (verdict, labels, pictures, status), and a whole run of 498
// test lines started with StartAllTest, every line sent from inside
// AllTestClick, ended with StopTest and reported on the recording printer.

#include "BenchMain.h"

#include "config/StationFiles.h"
#include "frame/Clock.h"
#include "frame/DurableFile.h"
#include "frame/LibraryState.h"
#include "output/RecordingPrinter.h"
#include "output/ReportRun.h"
#include "run/GroupWindow.h"
#include "run/HeaderControl.h"
#include "run/MenuBuild.h"
#include "run/OverallVerdict.h"
#include "run/RunModel.h"
#include "run/RunSession.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace XQTestDev;

namespace {

constexpr int LineCount = 498;

QByteArray productSection(const QByteArray& product, int lines) {
    QByteArray text = "[" + product + "]\r\nCustomerName=ACME\r\nCustomerPN=CP-200\r\n\r\n[" +
                      product + " Spec]\r\n";
    for (int line = 1; line <= lines; ++line)
        text += QByteArray::number(line) + "=F" + QByteArray::number(line) +
                ",4.75,5.25,5.00,V,Group " + QByteArray::number((line - 1) / 10) + ",Parameter " +
                QByteArray::number(line) + ",\r\n";
    return text + QByteArray::number(lines + 1) + "=<EOT>,,,,,,,\r\n\r\n";
}

QString parameter(int line) {
    return QStringLiteral("Parameter %1").arg(line);
}
QString group(int line) {
    return QStringLiteral("Group %1").arg((line - 1) / 10);
}

struct Station {
    QTemporaryDir dir;
    XQUtility32* utility = nullptr;
    XQMenu32* menu = nullptr;
    int messages = 0;

    Station() {
        qputenv("WinDir", QFile::encodeName(dir.path()));
        write(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\nCheckNetworkDrive=" +
                                             QFile::encodeName(dir.path()) + "\r\n");
        write(QStringLiteral("PRODUCTS.INI"),
              productSection("PSU", LineCount) + productSection("V45", 450));
        utility = new XQUtility32;
        utility->setINIPath(dir.path());
        library().resultsDirectory = dir.path() + QStringLiteral("/");
        setMessageHandler([this](const MessageRequest&) {
            ++messages;
            return int(ResultOK);
        });
        menu = new XQMenu32;
        menu->setEnableTestPrompt(false);
        RunData& run = runModel().run;
        run.operatorId = QStringLiteral("OP01");
        run.serialNumber = QStringLiteral("SN0001");
    }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.path() + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    HeaderControl& header() const { return *menu->findChild<HeaderControl*>(); }

    void showProduct(const QString& product) {
        menu->HideMenu();
        closeGroupWindows();
        runModel().run.product = product;
        menu->ShowMenu();
        // The benchmark ticks by itself.
        header().window().clockTimer().stop();
    }
};

Station& station() {
    static Station instance;
    return instance;
}

// One tick of the header's clock with 45 windows of ten judged rows each,
// one of them failing, while a run is active.
void BM_HeaderTick45Windows(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("V45"));
    s.menu->StartAllTest();
    s.header().window().clockTimer().stop();
    for (int line = 1; line <= 450; ++line)
        s.menu->SendData(group(line), parameter(line), line == 449 ? 6.0 : 5.0, false);
    s.header().clockTick();
    for (auto _ : state)
        s.header().clockTick();
    state.counters["windows"] = runModel().groupCount();
    s.menu->StopTest();
}
BENCHMARK(BM_HeaderTick45Windows)->Unit(benchmark::kMicrosecond);

// Its floor: the verdict of the same rows alone, from the run model, nothing
// shown or read.
void BM_HeaderTick45Windows_Floor(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("V45"));
    for (int line = 1; line <= 450; ++line)
        s.menu->SendData(group(line), parameter(line), line == 449 ? 6.0 : 5.0, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(overallVerdict(runModel()));
}
BENCHMARK(BM_HeaderTick45Windows_Floor)->Unit(benchmark::kMicrosecond);

// Durable writes of one run: StartAllTest resets the results and writes the
// run header, the run reset of Start Test does both again, one write per
// result, EndTestTime at StopTest, and the report's text file.
constexpr int ResultsFileWrites = 2 + 2 + LineCount + 1;

void BM_WholeRun498(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    int passed = 0;
    size_t printed = 0;
    const QMetaObject::Connection measuring =
        QObject::connect(s.menu, &XQMenu32::AllTestClick, [&](const QString&) {
            for (int line = 1; line <= LineCount; ++line)
                passed += s.menu->SendData(group(line), parameter(line), line % 50 ? 5.0 : 5.3);
        });
    for (auto _ : state) {
        s.menu->StartAllTest();
        s.menu->StopTest();
        testing::RecordingPrinter printer;
        printReport(printer, QString());
        printed = printer.lines.size();
    }
    QObject::disconnect(measuring);
    state.counters["passed"] = benchmark::Counter(passed, benchmark::Counter::kAvgIterations);
    state.counters["printed_lines"] = double(printed);
    state.counters["messages"] = s.messages;
}
BENCHMARK(BM_WholeRun498)->Unit(benchmark::kMillisecond);

// The floor of that run: the same number of durable writes of a file as large
// as the results file, and one of the report's text.
void BM_WholeRun498_Floor(benchmark::State& state) {
    Station& s = station();
    QFile results(stationFilePath(StationFile::Results));
    const QByteArray bytes = results.open(QIODevice::ReadOnly) ? results.readAll() : QByteArray();
    QFile report(s.dir.path() + QStringLiteral("/XQ_Report.txt"));
    const QByteArray reportBytes =
        report.open(QIODevice::ReadOnly) ? report.readAll() : QByteArray();
    const QString path = s.dir.path() + QStringLiteral("/floor.ini");
    for (auto _ : state) {
        for (int write = 0; write < ResultsFileWrites; ++write)
            benchmark::DoNotOptimize(writeFileDurably(path, bytes));
        benchmark::DoNotOptimize(writeFileDurably(path, reportBytes));
    }
    state.counters["bytes"] = double(bytes.size());
    state.counters["writes"] = ResultsFileWrites + 1;
}
BENCHMARK(BM_WholeRun498_Floor)->Unit(benchmark::kMillisecond);

const bool ratiosDeclared = [] {
    expectRatio("BM_WholeRun498", "BM_WholeRun498_Floor", 1.5);
    expectRatio("BM_HeaderTick45Windows", "BM_HeaderTick45Windows_Floor", 50.0);
    return true;
}();

} // namespace
