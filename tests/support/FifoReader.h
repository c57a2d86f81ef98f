#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <limits>
#include <string>
#include <thread>

namespace lumagrove::testing {

// The other end of a FIFO, as the next program of a pipeline would hold it:
// reads on a thread of its own until the writer closes, or until `limit`
// bytes have come, when it quits early and closes its end.
class FifoReader {
public:
    explicit FifoReader(std::string name, std::size_t limit = std::numeric_limits<std::size_t>::max())
        : name_(std::move(name)), thread_([this, limit] { Read(limit); }) {}
    ~FifoReader() { Finish(); }
    FifoReader(const FifoReader&) = delete;
    FifoReader& operator=(const FifoReader&) = delete;

    // Everything read. A writer that never came is stood in for by an empty
    // one, so a save that skipped the FIFO fails the test instead of hanging it.
    const std::string& Finish() {
        while (!done_) {
            const int standIn = open(name_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (standIn >= 0) close(standIn);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (thread_.joinable()) thread_.join();
        return received_;
    }

private:
    void Read(std::size_t limit) {
        const int descriptor = open(name_.c_str(), O_RDONLY | O_CLOEXEC);
        char buffer[65536];
        while (descriptor >= 0 && received_.size() < limit) {
            const ssize_t got = read(descriptor, buffer, std::min(sizeof buffer, limit - received_.size()));
            if (got <= 0) break;
            received_.append(buffer, static_cast<std::size_t>(got));
        }
        if (descriptor >= 0) close(descriptor);
        done_ = true;
    }

    std::string name_;
    std::string received_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

}  // namespace lumagrove::testing
