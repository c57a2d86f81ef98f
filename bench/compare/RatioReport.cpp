// Runs every registered pair of benchmarks, named "ours/OP/..." and
// "opencv/OP/...", on one thread each, and prints ours / OpenCV per
// operation and size after the usual output.
#include <cstdio>
#include <map>
#include <string>

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const std::size_t slash = name.find('/');
            if (slash == std::string::npos) continue;
            const std::string side = name.substr(0, slash);
            times_[name.substr(slash + 1)][side] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-44s %12s %12s %8s\n", "operation/size", "ours (ms)", "OpenCV (ms)", "ratio");
        for (const auto& [operation, sides] : times_) {
            const auto ours = sides.find("ours");
            const auto theirs = sides.find("opencv");
            if (ours == sides.end() || theirs == sides.end()) continue;
            std::printf("%-44s %12.3f %12.3f %8.2f\n", operation.c_str(), ours->second, theirs->second,
                        ours->second / theirs->second);
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    cv::setNumThreads(1);  // both sides single-threaded
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
