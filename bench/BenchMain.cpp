#include "BenchMain.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

struct Ratio {
    std::string measured;
    std::string floor;
    double limit;
};

std::vector<Ratio>& ratios() {
    static std::vector<Ratio> list;
    return list;
}

// Keeps each benchmark's time per iteration while printing as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0 && run.run_type == Run::RT_Iteration)
                nsPerIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nsPerIteration;
};

} // namespace

void expectRatio(const std::string& measured, const std::string& floor, double limit) {
    ratios().push_back({measured, floor, limit});
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Ratio& ratio : ratios()) {
        const auto measured = reporter.nsPerIteration.find(ratio.measured);
        const auto floor = reporter.nsPerIteration.find(ratio.floor);
        if (measured == reporter.nsPerIteration.end() || floor == reporter.nsPerIteration.end())
            continue;
        const double value = measured->second / floor->second;
        std::printf("ratio %-28s / %-28s = %5.2f (target <= %.2f) %s\n", ratio.measured.c_str(),
                    ratio.floor.c_str(), value, ratio.limit, value <= ratio.limit ? "ok" : "OVER");
    }
    benchmark::Shutdown();
    return 0;
}
