// The test run's hot paths beside their floors: building the menu of a
// 498-line product, clearing its results, 498 SendData calls (of ordinary
// results and of 100,000-character ones) against the same number of durable
// single-key writes, and the overall verdict that the header's clock computes
// every 400 ms.

#include "BenchMain.h"

#include "config/StationFiles.h"
#include "frame/DurableFile.h"
#include "frame/LibraryState.h"
#include "run/MenuBuild.h"
#include "run/OverallVerdict.h"
#include "run/ResultsFile.h"
#include "run/RunSession.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace XQTestDev;

namespace {

constexpr int LineCount = 498;

// A product of `groups` groups of ten lines (the last one shorter when `lines`
// says so), limits 4.75 to 5.25.
QByteArray productSection(const QByteArray& product, int lines) {
    QByteArray text = "[" + product + "]\r\nVersion=1\r\n\r\n[" + product + " Spec]\r\n";
    for (int line = 1; line <= lines; ++line)
        text += QByteArray::number(line) + "=F" + QByteArray::number(line) +
                ",4.75,5.25,5.00,V,Group " + QByteArray::number((line - 1) / 10) + ",Parameter " +
                QByteArray::number(line) + ",\r\n";
    return text + QByteArray::number(lines + 1) + "=<EOT>,,,,,,,\r\n\r\n";
}

struct Station {
    QTemporaryDir dir;
    XQUtility32* utility = nullptr;
    XQMenu32* menu = nullptr;

    Station() {
        qputenv("WinDir", QFile::encodeName(dir.path()));
        QFile products(dir.path() + QStringLiteral("/PRODUCTS.INI"));
        if (products.open(QIODevice::WriteOnly))
            products.write(productSection("PSU", LineCount) + productSection("V45", 450));
        products.close();
        utility = new XQUtility32;
        utility->setINIPath(dir.path());
        library().resultsDirectory = dir.path() + QStringLiteral("/");
        menu = new XQMenu32;
        menu->setEnableTestPrompt(false);
    }

    // The menu of `product`, built afresh, with its results reset.
    void showProduct(const QString& product) {
        closeGroupWindows();
        runModel().run.product = product;
        menu->ShowMenu();
        resetResults(runModel().run);
    }
};

Station& station() {
    static Station instance;
    return instance;
}

QString parameter(int line) {
    return QStringLiteral("Parameter %1").arg(line);
}
QString group(int line) {
    return QStringLiteral("Group %1").arg((line - 1) / 10);
}

void BM_MenuBuild498Lines(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    QString order;
    for (auto _ : state) {
        state.PauseTiming();
        closeGroupWindows();
        state.ResumeTiming();
        benchmark::DoNotOptimize(buildTestMenu(false, order));
    }
    state.counters["windows"] = runModel().groupCount();
}
BENCHMARK(BM_MenuBuild498Lines)->Unit(benchmark::kMillisecond);

void BM_ClearResults498Lines(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    for (auto _ : state)
        s.menu->ClearResults();
}
BENCHMARK(BM_ClearResults498Lines)->Unit(benchmark::kMillisecond);

// Every line of the product once, a few of them failing, turning pages as
// the groups go by.
void BM_SendData498(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    int passed = 0;
    for (auto _ : state) {
        for (int line = 1; line <= LineCount; ++line)
            passed += s.menu->SendData(group(line), parameter(line), line % 50 ? 5.0 : 5.3);
    }
    state.counters["passed"] = benchmark::Counter(passed, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SendData498)->Unit(benchmark::kMillisecond);

// A waveform sent as text: 100,000 characters.
QString longResult() {
    QString waveform;
    for (int sample = 0; waveform.size() < 100000; ++sample)
        waveform += QString::number(5.0 + (sample % 7) * 0.001, 'f', 3) + QLatin1Char(',');
    waveform.truncate(100000);
    return waveform;
}

// The same with results of 100,000 characters: the results file keeps 1,022
// of each, and the cells show what fits.
void BM_SendData498LongResults(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    const QString waveform = longResult();
    for (auto _ : state) {
        for (int line = 1; line <= LineCount; ++line)
            benchmark::DoNotOptimize(s.menu->SendData(group(line), parameter(line), waveform));
    }
    state.counters["characters"] = static_cast<double>(waveform.size());
}
BENCHMARK(BM_SendData498LongResults)->Unit(benchmark::kMillisecond);

// One durable write of a copy of the results file as it stands per line of
// the run: what a run's writes of that file cost at the least.
void durableWritesOfResultsFile(benchmark::State& state, Station& s) {
    QFile results(stationFilePath(StationFile::Results));
    results.open(QIODevice::ReadOnly);
    const QByteArray bytes = results.readAll();
    const QString path = s.dir.path() + QStringLiteral("/floor.ini");
    for (auto _ : state) {
        for (int line = 1; line <= LineCount; ++line)
            benchmark::DoNotOptimize(writeFileDurably(path, bytes));
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

// The floor of 498 long results: as many durable writes of the results file that those results
// leave (each write of the run writes at most that much).
void BM_DurableWrite498Long(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    const QString waveform = longResult();
    for (int line = 1; line <= LineCount; ++line)
        s.menu->SendData(group(line), parameter(line), waveform);
    durableWritesOfResultsFile(state, s);
}
BENCHMARK(BM_DurableWrite498Long)->Unit(benchmark::kMillisecond);

// The floor of 498 results: the same number of durable writes of a file as
// large as the results file, each replacing the whole file.
void BM_DurableWrite498(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    durableWritesOfResultsFile(state, s);
}
BENCHMARK(BM_DurableWrite498)->Unit(benchmark::kMillisecond);

// The same through the INI engine: one key changed per durable write.
void BM_IniKeyWrite498(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("PSU"));
    const QString section = resultsSection(QStringLiteral("PSU"));
    for (auto _ : state) {
        for (int line = 1; line <= LineCount; ++line)
            benchmark::DoNotOptimize(writeStationValue(
                StationFile::Results, section, QString::number(line), QStringLiteral("5|Pass")));
    }
}
BENCHMARK(BM_IniKeyWrite498)->Unit(benchmark::kMillisecond);

// One clock tick over 45 windows of ten judged rows each.
void BM_OverallVerdict45Windows(benchmark::State& state) {
    Station& s = station();
    s.showProduct(QStringLiteral("V45"));
    for (int line = 1; line <= 450; ++line)
        s.menu->SendData(group(line), parameter(line), line == 449 ? 6.0 : 5.0, false);
    refreshOverallVerdict(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(refreshOverallVerdict(true));
    state.counters["windows"] = runModel().groupCount();
}
BENCHMARK(BM_OverallVerdict45Windows)->Unit(benchmark::kMicrosecond);

const bool ratiosDeclared = [] {
    expectRatio("BM_SendData498", "BM_DurableWrite498", 1.5);
    expectRatio("BM_SendData498", "BM_IniKeyWrite498", 1.5);
    expectRatio("BM_SendData498LongResults", "BM_DurableWrite498Long", 1.5);
    return true;
}();

} // namespace
