#include "cli/BatchConsole.h"

#include <algorithm>
#include <cstdio>

#include "base/PrintableText.h"
#include "cli/StreamReporter.h"

namespace lumagrove::cli {
namespace {

// Back to the start of the line and erase it: the terminal's own way, which
// also works when the line was cut short.
constexpr char kClearLine[] = "\r\033[K";

}  // namespace

std::string ClockText(std::chrono::steady_clock::duration elapsed) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    }
    return text;
}

std::string ProgressText(std::size_t done, std::size_t total, std::chrono::steady_clock::duration elapsed,
                         const std::string& current, int columns) {
    char counts[48];
    std::snprintf(counts, sizeof counts, "[%zu/%zu] ", done, total);
    std::string text = counts + ClockText(elapsed);
    if (current.empty()) return text;
    text += ' ';
    // The last column stays empty: writing into it makes some terminals wrap.
    const std::size_t room = columns > 1 ? static_cast<std::size_t>(columns - 1) : 0;
    if (text.size() + current.size() <= room) return text + current;
    constexpr std::string_view kCut = "...";
    if (text.size() + kCut.size() >= room) return text.substr(0, room);
    const std::size_t kept = room - text.size() - kCut.size();
    return text + std::string(kCut) + current.substr(current.size() - kept);
}

BatchConsole::BatchConsole(std::ostream& err, std::ostream& readouts, std::size_t total, int columns, bool quiet)
    : err_(err), readouts_(readouts), total_(total), columns_(quiet ? 0 : columns), quiet_(quiet) {}

Reporter BatchConsole::reporterFor(const std::string& input) {
    return [this, input](const Message& message) {
        if (message.kind == MessageKind::Readout) {
            // Standard output may share the terminal with the progress line.
            const std::scoped_lock lock(mutex_);
            clearLocked();
            readouts_ << WithControlsEscaped(input + ": " + message.text) << '\n' << std::flush;
            drawLocked();
            return;
        }
        if (quiet_ && IsWarning(message)) return;
        std::string text = input + ": ";
        if (!message.caption.empty()) text += message.caption + ": ";
        line(text + message.text);
    };
}

void BatchConsole::line(const std::string& text) {
    const std::scoped_lock lock(mutex_);
    clearLocked();
    Say(err_, text);
    drawLocked();
}

void BatchConsole::started(const std::string& input) {
    const std::scoped_lock lock(mutex_);
    current_ = WithControlsEscaped(input);
    drawLocked();
}

void BatchConsole::finished() {
    const std::scoped_lock lock(mutex_);
    ++done_;
    drawLocked();
}

void BatchConsole::refresh() {
    const std::scoped_lock lock(mutex_);
    drawLocked();
}

void BatchConsole::close(const std::string& lastLine) {
    const std::scoped_lock lock(mutex_);
    clearLocked();
    current_.clear();
    if (!quiet_) Say(err_, lastLine);
    err_ << std::flush;
}

std::chrono::steady_clock::duration BatchConsole::elapsed() const { return std::chrono::steady_clock::now() - start_; }

void BatchConsole::drawLocked() {
    if (columns_ <= 0) return;
    // The name leads here too, so the text after it has that much less room.
    const std::string lead = std::string(kProgram) + ": ";
    std::string text =
        lead + ProgressText(done_, total_, elapsed(), current_, columns_ - static_cast<int>(lead.size()));
    text.resize(std::min(text.size(), static_cast<std::size_t>(columns_ - 1)));
    err_ << kClearLine << text << std::flush;
    drawn_ = true;
}

void BatchConsole::clearLocked() {
    if (!drawn_) return;
    err_ << kClearLine;
    drawn_ = false;
}

}  // namespace lumagrove::cli
