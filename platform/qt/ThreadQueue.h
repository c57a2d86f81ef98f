#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/Message.h"
#include "platform/qt/MainThread.h"

namespace lumagrove::platform::backend {

class ThreadQueue;

// A message sent synchronously from one thread to a window of another.
struct SentCall {
    Message message;
    std::shared_ptr<ThreadQueue> sender;
    std::atomic<bool> done{false};
    Result result = 0;  // valid once done

    void complete(Result value);
};

// The message queue of one thread. Other threads post and send to it; only
// its own thread takes from it. Every change bumps a generation counter, so a
// waiter that read the counter before checking its condition cannot miss the
// change that would have woken it.
class ThreadQueue : public std::enable_shared_from_this<ThreadQueue> {
public:
    // The calling thread's queue, made on first use.
    static std::shared_ptr<ThreadQueue> Current();
    // Wakes the waiters of every thread, for instance to let them test an event.
    static void WakeAll();

    explicit ThreadQueue(bool isMain) : main_(isMain) {}

    bool isMain() const { return main_; }

    // Any thread. False when the queue's thread has ended.
    bool post(const Message& message);
    bool send(const std::shared_ptr<SentCall>& call);
    void wake();

    // The queue's own thread.
    void postQuit(int exitCode);
    std::optional<Message> takePosted();
    std::optional<int> takeQuit();
    std::optional<Message> takePaint();
    // A posted message, a quit request or a window to paint is waiting.
    bool hasMessage() const;
    void serveSentMessages();
    std::uint64_t generation() const;
    // Waits until the generation differs from `seen` or the deadline passes.
    void waitForChange(std::uint64_t seen, std::optional<Clock::time_point> deadline, UserInput input);
    // Serves sent messages until `done` holds; false when the deadline passed first.
    bool serveUntil(const std::function<bool()>& done, std::optional<Clock::time_point> deadline, UserInput input);

    void adoptWindow(Window window);
    void releaseWindow(Window window);
    // At the end of the thread: its windows go without messages and calls
    // still waiting for it get 0.
    void shutDown();

private:
    void bump();
    std::optional<Window> windowToPaint() const;

    const bool main_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t generation_ = 0;
    bool ended_ = false;
    std::deque<Message> posted_;
    std::deque<std::shared_ptr<SentCall>> sent_;
    std::optional<int> quitCode_;
    std::vector<Window> windows_;
    std::atomic<bool> mainWakeQueued_{false};
};

}  // namespace lumagrove::platform::backend
