// The record file of a 498-line run beside its floor: one durable write
// (temporary file, flush, rename) of the same bytes to the same file.

#include "BenchMain.h"

#include "frame/DurableFile.h"
#include "frame/LibraryState.h"
#include "output/RunRecordFile.h"
#include "output/RunRecordFixture.h"
#include "output/RunRecordJson.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace XQTestDev;

namespace {

struct Results {
    QTemporaryDir dir;
    RunRecord record = testing::sampleRunRecord(498);
    Results() {
        ensureLibraryStarted();
        library().resultsDirectory = dir.path() + QLatin1Char('/');
    }
};

Results& results() {
    static Results instance;
    return instance;
}

// Renders the record and writes it below runs/, as the end of a run does.
void BM_RunRecordFile498(benchmark::State& state) {
    const RunRecord& record = results().record;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRunRecordFile(record).ok);
    state.counters["bytes"] = double(runRecordBytes(record).size());
}
BENCHMARK(BM_RunRecordFile498)->Unit(benchmark::kMillisecond);

// The floor: the same bytes, already made, written durably to the same file.
void BM_DurableWrite_RecordBytes(benchmark::State& state) {
    const QByteArray bytes = runRecordBytes(results().record);
    writeRunRecordFile(results().record);
    const QString path = lastRunRecordFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeFileDurably(path, bytes).ok);
}
BENCHMARK(BM_DurableWrite_RecordBytes)->Unit(benchmark::kMillisecond);

const bool ratiosDeclared = [] {
    expectRatio("BM_RunRecordFile498", "BM_DurableWrite_RecordBytes", 2.0);
    return true;
}();

} // namespace
