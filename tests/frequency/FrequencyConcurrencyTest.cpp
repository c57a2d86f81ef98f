#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "frequency/FrequencyFilters.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::TestImage;
using testing::ToVector;

// One operation on one image of a size no other job has, so that FFTW's
// planner does real work (and writes its process-wide tables) every time.
struct Job {
    TestImage image;
    int operation;  // 0 spectrum, 1 low pass, 2 high pass
    std::vector<std::uint8_t> expected;
};

PixelArray RunJob(const Job& job, const Reporter& report) {
    const ImageView work{job.image.pixels, job.image.width, job.image.height};
    switch (job.operation) {
        case 0: return FourierSpectrum(work, report);
        case 1: return GlobalLowPass(work, 3, 1, report);
        default: return GlobalHighPass(work, 3, 1, report);
    }
}

// Windows run the frequency operations side by side. Without one lock around
// planning, threads that plan at once corrupt the planner's tables and the
// process crashes or computes garbage within a few hundred of these jobs.
// Every result must equal the one the same job gives on its own.
TEST(FrequencyConcurrency, OperationsOnSeveralThreadsAtOnceAllGiveTheirResults) {
    constexpr int kThreads = 4;
    constexpr int kJobsPerThread = 150;
    std::vector<std::vector<Job>> jobs(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        for (int j = 0; j < kJobsPerThread; ++j) {
            const std::int32_t width = 2 + j * kThreads + t;
            const std::int32_t height = 1 + j % 5;
            const auto seed = static_cast<std::uint32_t>(j * kThreads + t);
            Job job{testing::RandomImage(width, height, seed), j % 3, {}};
            MessageLog log;
            job.expected = ToVector(RunJob(job, log.reporter()));
            jobs[t].push_back(std::move(job));
        }
    }

    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            MessageLog log;
            for (const Job& job : jobs[t]) {
                if (ToVector(RunJob(job, log.reporter())) != job.expected) ++failures[t];
            }
            failures[t] += static_cast<int>(log.messages.size());
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace lumagrove
