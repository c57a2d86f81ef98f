#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/TestHooks.h"
#include "platform/Threads.h"
#include "platform/Window.h"

namespace lumagrove::platform::test {

using namespace std::chrono_literals;

// A message as a procedure saw it, and the thread it saw it on.
struct Seen {
    Msg id;
    WordParam word;
    LongParam data;
    std::thread::id thread;
};

// Messages seen by procedures, readable from the test while threads add to it.
class MessageLog {
public:
    void add(Msg id, WordParam word, LongParam data) {
        std::lock_guard lock(mutex_);
        seen_.push_back(Seen{id, word, data, std::this_thread::get_id()});
    }
    std::vector<Seen> of(Msg id) const {
        std::lock_guard lock(mutex_);
        std::vector<Seen> matching;
        for (const Seen& seen : seen_) {
            if (seen.id == id) matching.push_back(seen);
        }
        return matching;
    }
    std::size_t count(Msg id) const { return of(id).size(); }

private:
    mutable std::mutex mutex_;
    std::vector<Seen> seen_;
};

// A thread of the layer that the test waits for.
class LayerThread {
public:
    explicit LayerThread(std::function<void()> body) : finished_(std::make_shared<std::atomic<bool>>(false)) {
        StartThread([body = std::move(body), finished = finished_] {
            body();
            *finished = true;
        });
    }
    bool finished() const { return *finished_; }

private:
    std::shared_ptr<std::atomic<bool>> finished_;
};

// A window thread's loop: messages until the window goes or `stop` is set.
void RunWindowLoop(Window window, const ManualResetEvent& stop);

// A window of `className` made on a thread of its own, which runs its loop
// until the window goes. Closing it posts Close to it.
class ThreadWindow {
public:
    ThreadWindow(std::string className, Size outerSize, std::function<void(Window)> setUp = {});
    ~ThreadWindow();

    // Waits until the window exists; empty when it never came.
    Window window() const;
    std::thread::id threadId() const;
    bool finished() const { return thread_.finished(); }
    void close() const;

private:
    struct Shared {
        std::atomic<std::uint32_t> id{0};
        mutable std::mutex mutex;
        std::thread::id thread;
        ManualResetEvent never;
    };
    std::shared_ptr<Shared> shared_;
    LayerThread thread_;
};

// Every test gets a time bound: a test that hangs ends the whole run with its
// name rather than leaving it stuck.
class LayerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Serves the main thread until `done` holds; fails the test on time-out.
    static bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
        const bool met = testing::RunMainLoopUntil(done, timeout);
        EXPECT_TRUE(met) << "condition not met in time";
        return met;
    }

    // Registers a class under a name unique to the test (and the suffix).
    std::string registerClass(WindowProcedure procedure, int menuResource = 0, const std::string& suffix = "");

private:
    std::thread watchdog_;
    std::mutex watchdogMutex_;
    std::condition_variable watchdogCancelled_;
    bool testOver_ = false;
};

}  // namespace lumagrove::platform::test
