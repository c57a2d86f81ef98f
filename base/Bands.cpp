#include "base/Bands.h"

#include <tbb/blocked_range.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <utility>

namespace lumagrove {
namespace {

// About 64 KiB of pixels: below that, waking another thread costs more than
// the band's work.
constexpr std::ptrdiff_t kMinimumBandPixels = std::ptrdiff_t{1} << 16;

std::int32_t AllCores() { return std::max(1, tbb::info::default_concurrency()); }

std::int32_t ThreadsFromEnvironment() {
    const char* text = std::getenv("LUMAGROVE_THREADS");
    if (text == nullptr) return AllCores();
    std::int32_t threads = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, threads);
    return error == std::errc() && stop == end && threads > 0 ? threads : AllCores();
}

// One arena for the whole process: callers that enter it together share its
// threads instead of each bringing as many.
class Pool {
public:
    Pool() { resize(ThreadsFromEnvironment()); }

    std::shared_ptr<tbb::task_arena> arena() {
        const std::lock_guard lock(mutex_);
        return arena_;
    }
    std::int32_t threads() {
        const std::lock_guard lock(mutex_);
        return threads_;
    }
    // Calls already running keep the arena they entered.
    void resize(std::int32_t threads) {
        auto arena = std::make_shared<tbb::task_arena>(threads);
        const std::lock_guard lock(mutex_);
        arena_ = std::move(arena);
        threads_ = threads;
    }

private:
    std::mutex mutex_;
    std::shared_ptr<tbb::task_arena> arena_;
    std::int32_t threads_ = 1;
};

Pool& SharedPool() {
    static Pool pool;
    return pool;
}

thread_local const StopToken* callStop = nullptr;

// Lends a call's stop to the thread that runs one of its bands, so that the
// long loops in the band (ThrowIfStopped) hear it too.
class LentStop {
public:
    explicit LentStop(const StopToken* call) : outer_(std::exchange(callStop, call)) {}
    ~LentStop() { callStop = outer_; }
    LentStop(const LentStop&) = delete;
    LentStop& operator=(const LentStop&) = delete;

private:
    const StopToken* outer_;
};

bool StopRequested(const StopToken* call) {
    return ProcessStopToken().requested() || (call != nullptr && call->requested());
}

// Even on one thread the work goes in this many bands at least, so that a
// stop is heard before it all ends.
constexpr std::ptrdiff_t kSequentialBands = 16;

// Initialised before the program starts, so a signal handler may reach it.
constinit StopToken processStop;

}  // namespace

StopToken& ProcessStopToken() { return processStop; }

StopScope::StopScope(const StopToken& token) : outer_(callStop) { callStop = &token; }
StopScope::~StopScope() { callStop = outer_; }

void ThrowIfStopped() {
    if (StopRequested(callStop)) throw Stopped();
}

void ForEachBand(std::ptrdiff_t rows, std::ptrdiff_t minimumRows, const BandWork& work) {
    if (rows <= 0) return;
    minimumRows = std::max<std::ptrdiff_t>(minimumRows, 1);
    const StopToken* call = callStop;
    if (call != nullptr) call->startBands(rows);
    const auto checkedWork = [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        if (StopRequested(call)) throw Stopped();
        const LentStop lent(call);
        work(begin, end);
        if (call != nullptr) call->finishBand(end - begin);
    };
    const std::shared_ptr<tbb::task_arena> arena = SharedPool().arena();
    if (rows < 2 * minimumRows || arena->max_concurrency() < 2) {
        const std::ptrdiff_t band = std::max(minimumRows, (rows + kSequentialBands - 1) / kSequentialBands);
        for (std::ptrdiff_t begin = 0; begin < rows; begin += band) checkedWork(begin, std::min(begin + band, rows));
        return;
    }
    arena->execute([&] {
        tbb::parallel_for(
            tbb::blocked_range<std::ptrdiff_t>(0, rows, static_cast<std::size_t>(minimumRows)),
            [&](const tbb::blocked_range<std::ptrdiff_t>& band) { checkedWork(band.begin(), band.end()); });
    });
}

void ForEachSpan(std::size_t count, const BandWork& work) {
    const auto total = static_cast<std::ptrdiff_t>(count);
    const std::ptrdiff_t spans = (total + kMinimumBandPixels - 1) / kMinimumBandPixels;
    ForEachBand(spans, 1, [&](std::ptrdiff_t first, std::ptrdiff_t last) {
        work(first * kMinimumBandPixels, std::min(last * kMinimumBandPixels, total));
    });
}

std::ptrdiff_t MinimumBandRows(std::ptrdiff_t width) {
    return std::max<std::ptrdiff_t>(1, kMinimumBandPixels / std::max<std::ptrdiff_t>(width, 1));
}

std::int32_t ThreadCount() { return SharedPool().threads(); }

void SetThreadCount(std::int32_t threads) { SharedPool().resize(threads < 1 ? AllCores() : threads); }

}  // namespace lumagrove
