#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>

namespace lumagrove {

// The work of one call split into bands of rows, run on one pool that every
// caller shares: Python threads, a batch's jobs and the desktop's windows
// together never use more threads than ThreadCount(). A band is given the
// rows begin <= y < end; the split depends on the load, so a band's result
// must never depend on where the band starts or ends.
using BandWork = std::function<void(std::ptrdiff_t begin, std::ptrdiff_t end)>;

// A request to stop long work. Bands check it before they start and long
// loops that are no bands between their rows (ThrowIfStopped), so the work
// ends soon after the request, by throwing Stopped out of the operation.
//
// A call's token also tells how far its work has come, for a progress bar:
// the share of rows done in its latest set of bands.
class StopToken {
public:
    void request() noexcept { requested_.store(true, std::memory_order_relaxed); }
    bool requested() const noexcept { return requested_.load(std::memory_order_relaxed); }
    void reset() noexcept {
        requested_.store(false, std::memory_order_relaxed);
        rows_.store(0, std::memory_order_relaxed);
        rowsDone_.store(0, std::memory_order_relaxed);
    }

    // In percent; 0 before any band.
    int progress() const noexcept {
        const std::ptrdiff_t rows = rows_.load(std::memory_order_relaxed);
        return rows > 0 ? static_cast<int>(100 * rowsDone_.load(std::memory_order_relaxed) / rows) : 0;
    }
    void startBands(std::ptrdiff_t rows) const noexcept {
        rowsDone_.store(0, std::memory_order_relaxed);
        rows_.store(rows, std::memory_order_relaxed);
    }
    void finishBand(std::ptrdiff_t rows) const noexcept { rowsDone_.fetch_add(rows, std::memory_order_relaxed); }

private:
    // Lock-free, so that a signal handler may set it.
    std::atomic<bool> requested_{false};
    mutable std::atomic<std::ptrdiff_t> rows_{0};
    mutable std::atomic<std::ptrdiff_t> rowsDone_{0};
};

struct Stopped : std::exception {
    const char* what() const noexcept override { return "stopped on request"; }
};

// Stops the work of every call in the process: the command line's Ctrl+C.
StopToken& ProcessStopToken();

// While it lives, the work this thread starts, on whichever thread of the
// pool it runs, also heeds `token`: one call's own stop, such as Python's
// Ctrl+C for the call it interrupts.
class StopScope {
public:
    explicit StopScope(const StopToken& token);
    ~StopScope();
    StopScope(const StopScope&) = delete;
    StopScope& operator=(const StopScope&) = delete;

private:
    const StopToken* outer_;
};

// Throws Stopped when this thread's work has been asked to stop.
void ThrowIfStopped();

// Runs work over [0, rows) in bands of no fewer than minimumRows / 2 rows
// (work that costs something per band asks for more), and returns when every
// band is done. An exception a band throws is thrown again here; Stopped when
// the work was asked to stop before every band had started.
void ForEachBand(std::ptrdiff_t rows, std::ptrdiff_t minimumRows, const BandWork& work);

// For work where every pixel stands alone: runs work(begin, end) over spans
// of [0, count) that together cover it once.
void ForEachSpan(std::size_t count, const BandWork& work);

// The rows of `width` pixels a band should hold at least: enough to outweigh
// handing it to another thread.
std::ptrdiff_t MinimumBandRows(std::ptrdiff_t width);

// The threads calls may use: LUMAGROVE_THREADS when it holds a positive
// number, otherwise every core, until SetThreadCount changes it.
std::int32_t ThreadCount();
// A count below 1 means every core.
void SetThreadCount(std::int32_t threads);

}  // namespace lumagrove
