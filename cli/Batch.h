#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/Reporter.h"
#include "cli/BatchConsole.h"

namespace lumagrove::cli {

// How many files a batch works on at once unless told: one for each core
// this process may run on.
unsigned DefaultJobCount();

// One input's whole work (read, run, write), on a worker thread. It returns
// whether it succeeded, having said why not through `report`.
using FileWork = std::function<bool(std::size_t index, const Reporter& report)>;

struct BatchSummary {
    std::size_t total = 0;
    std::size_t failed = 0;
    std::chrono::steady_clock::duration elapsed{};
};

// Runs `work` once for every input on `jobs` worker threads. Each worker
// takes the next input only when it has finished the last one, so no more
// than `jobs` inputs are being worked on, and held in memory, at a time. A
// failing input does not stop the others. The console shows the progress
// and is closed with the summary line.
BatchSummary RunBatch(std::span<const std::string> inputs, unsigned jobs, const FileWork& work, BatchConsole& console);

// "Batch done: 199 of 200 files written, 1 failed, in 0:12".
std::string SummaryLine(const BatchSummary& summary);

// Where a batch writes an input's result: FOLDER/<input's name without its
// folder and its extension>.<ending>.
std::string BatchOutputName(const std::string& folder, const std::string& input, std::string_view ending);

}  // namespace lumagrove::cli
