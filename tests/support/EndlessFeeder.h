#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <string>
#include <thread>

namespace lumagrove::testing {

// Feeds `head` and then `fill` bytes without end into a FIFO, from a thread
// of its own, until the reader has closed its end or the feeder is
// destroyed. Never blocks: neither a reader that never comes nor a full pipe
// can keep the test from ending.
class EndlessFeeder {
public:
    EndlessFeeder(const std::string& fifo, std::string head, char fill = '\0') : head_(std::move(head)), fill_(fill) {
        previous_ = std::signal(SIGPIPE, SIG_IGN);  // a reader gone is a failed write, not the end of the tests
        thread_ = std::thread([this, fifo] { feed(fifo); });
    }
    ~EndlessFeeder() {
        stop_ = true;
        thread_.join();
        std::signal(SIGPIPE, previous_);
    }
    EndlessFeeder(const EndlessFeeder&) = delete;
    EndlessFeeder& operator=(const EndlessFeeder&) = delete;

    std::uint64_t fed() const { return fed_; }

private:
    void feed(const std::string& fifo) {
        // Non-blocking, so that neither a missing reader nor a full pipe can
        // keep this thread from seeing `stop_`.
        int out = -1;
        while (!stop_ && (out = open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) < 0) std::this_thread::yield();
        std::string chunk = head_;
        while (!stop_) {
            chunk.resize(std::max<std::size_t>(chunk.size(), 65536), fill_);
            const ssize_t written = write(out, chunk.data(), chunk.size());
            if (written < 0 && errno != EAGAIN) break;  // the reader has gone
            if (written > 0) {
                fed_ += static_cast<std::uint64_t>(written);
                chunk.erase(0, static_cast<std::size_t>(written));
            }
        }
        if (out >= 0) close(out);
    }

    std::string head_;
    char fill_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> fed_{0};
    std::thread thread_;
    void (*previous_)(int) = nullptr;
};

}  // namespace lumagrove::testing
