#include "cli/Batch.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "base/Bands.h"
#include "session/Messages.h"

namespace lumagrove::cli {
namespace {

// How often the clock on the progress line moves while files take long.
constexpr std::chrono::milliseconds kRefreshInterval(250);

}  // namespace

unsigned DefaultJobCount() {
    // The cores this process is allowed on (taskset, a container's share),
    // which may be fewer than the machine has.
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) {
        const int count = CPU_COUNT(&allowed);
        if (count > 0) return static_cast<unsigned>(count);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

BatchSummary RunBatch(std::span<const std::string> inputs, unsigned jobs, const FileWork& work, BatchConsole& console) {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> failed{0};
    std::mutex mutex;
    std::condition_variable allDone;
    std::size_t working = 0;

    const auto workThrough = [&] {
        for (std::size_t index; (index = next++) < inputs.size();) {
            if (ProcessStopToken().requested()) break;  // Ctrl+C: no file is started after it
            console.started(inputs[index]);
            const Reporter report = console.reporterFor(inputs[index]);
            bool succeeded = false;
            try {
                succeeded = work(index, report);
            } catch (const std::bad_alloc&) {
                report(session::NotEnoughMemory());
            }
            if (!succeeded) ++failed;
            console.finished();
        }
        const std::scoped_lock lock(mutex);
        --working;
        allDone.notify_all();
    };

    const std::size_t wanted = std::clamp<std::size_t>(jobs, 1, std::max<std::size_t>(inputs.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t i = 0; i < wanted; ++i) {
        {
            const std::scoped_lock lock(mutex);
            ++working;
        }
        try {
            workers.emplace_back(workThrough);
        } catch (const std::system_error&) {
            // The system gives no more threads: the ones started share the work.
            const std::scoped_lock lock(mutex);
            --working;
            break;
        }
    }
    if (workers.empty()) {
        ++working;
        workThrough();
    } else {
        std::unique_lock lock(mutex);
        while (!allDone.wait_for(lock, kRefreshInterval, [&] { return working == 0; })) {
            lock.unlock();
            console.refresh();
            lock.lock();
        }
    }
    workers.clear();

    const BatchSummary summary{inputs.size(), failed, console.elapsed()};
    console.close(SummaryLine(summary));
    return summary;
}

std::string SummaryLine(const BatchSummary& summary) {
    return "Batch done: " + std::to_string(summary.total - summary.failed) + " of " + std::to_string(summary.total) +
           " files written, " + std::to_string(summary.failed) + " failed, in " + ClockText(summary.elapsed);
}

std::string BatchOutputName(const std::string& folder, const std::string& input, std::string_view ending) {
    std::filesystem::path name = std::filesystem::path(input).filename().stem();
    name += ".";
    name += ending;
    return (std::filesystem::path(folder) / name).string();
}

}  // namespace lumagrove::cli
