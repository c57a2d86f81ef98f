#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>

#include "base/Reporter.h"

namespace lumagrove::cli {

// Standard error while a batch runs: several workers report at once, so every
// line goes through here whole, led by the program's name. On a terminal one
// progress line sits below the messages, "lumagrove-cli: [done/total] elapsed
// current-file", redrawn in place; it is cleared before anything else is
// written, so messages and the summary never mix with it. Elsewhere (a file,
// a pipe, a log) nothing but messages and the summary is written.
class BatchConsole {
public:
    // `columns` is the width of the terminal `err` shows on, or 0 when it is
    // not a terminal. Readouts (values the user asked to see) go to
    // `readouts`, problems to `err`. When `quiet`, only problems and readouts
    // are written: no progress, warnings or summary.
    BatchConsole(std::ostream& err, std::ostream& readouts, std::size_t total, int columns, bool quiet = false);

    // Messages about one input, each line led by the input's name. Here and
    // in every line and name shown, control characters are shown escaped.
    Reporter reporterFor(const std::string& input);
    // One whole line of text, such as a step's time.
    void line(const std::string& text);

    void started(const std::string& input);
    void finished();
    // Redraws the progress line, so the clock moves during a long file.
    void refresh();
    // Clears the progress line for good and writes the last line.
    void close(const std::string& lastLine);

    std::chrono::steady_clock::duration elapsed() const;

private:
    void drawLocked();
    void clearLocked();

    std::mutex mutex_;
    std::ostream& err_;
    std::ostream& readouts_;
    const std::size_t total_;
    const int columns_;
    const bool quiet_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t done_ = 0;
    std::string current_;
    bool drawn_ = false;
};

// "0:07", "12:30", "1:02:03": how long a batch has run.
std::string ClockText(std::chrono::steady_clock::duration elapsed);

// The progress line for a terminal `columns` wide, cut to fit without
// wrapping: a long file name loses its beginning, which names folders, not
// the file.
std::string ProgressText(std::size_t done, std::size_t total, std::chrono::steady_clock::duration elapsed,
                         const std::string& current, int columns);

}  // namespace lumagrove::cli
