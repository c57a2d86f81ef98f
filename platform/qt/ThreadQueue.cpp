#include "platform/qt/ThreadQueue.h"

#include <algorithm>
#include <utility>

#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform::backend {

namespace {

// Ends the thread's queue when the thread ends.
struct QueueOfThisThread {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueOfThisThread() {
        if (queue) queue->shutDown();
    }
};

thread_local QueueOfThisThread thisThread;

std::mutex everyQueueMutex;
std::vector<std::weak_ptr<ThreadQueue>> everyQueue;

}  // namespace

void SentCall::complete(Result value) {
    result = value;
    done.store(true, std::memory_order_release);
    sender->wake();
}

std::shared_ptr<ThreadQueue> ThreadQueue::Current() {
    if (!thisThread.queue) {
        thisThread.queue = std::make_shared<ThreadQueue>(IsMainThread());
        std::lock_guard lock(everyQueueMutex);
        std::erase_if(everyQueue, [](const auto& queue) { return queue.expired(); });
        everyQueue.push_back(thisThread.queue);
    }
    return thisThread.queue;
}

void ThreadQueue::WakeAll() {
    std::vector<std::shared_ptr<ThreadQueue>> queues;
    {
        std::lock_guard lock(everyQueueMutex);
        for (const auto& weak : everyQueue) {
            if (auto queue = weak.lock()) queues.push_back(std::move(queue));
        }
    }
    for (const auto& queue : queues) queue->wake();
}

void ThreadQueue::bump() {
    {
        std::lock_guard lock(mutex_);
        ++generation_;
    }
    changed_.notify_all();
}

void ThreadQueue::wake() {
    bump();
    // The main thread waits inside the toolkit's event loop, which only a
    // queued task wakes; that task also serves the messages sent to it, so
    // they are answered even while the main thread sits in a dialog of its own.
    if (main_ && !mainWakeQueued_.exchange(true)) {
        QueueOnMain([self = shared_from_this()] {
            self->mainWakeQueued_ = false;
            self->serveSentMessages();
        });
    }
}

bool ThreadQueue::post(const Message& message) {
    {
        std::lock_guard lock(mutex_);
        if (ended_) return false;
        posted_.push_back(message);
    }
    wake();
    return true;
}

bool ThreadQueue::send(const std::shared_ptr<SentCall>& call) {
    {
        std::lock_guard lock(mutex_);
        if (ended_) return false;
        sent_.push_back(call);
    }
    wake();
    return true;
}

void ThreadQueue::postQuit(int exitCode) {
    {
        std::lock_guard lock(mutex_);
        quitCode_ = exitCode;
    }
    wake();
}

std::optional<Message> ThreadQueue::takePosted() {
    std::lock_guard lock(mutex_);
    if (posted_.empty()) return std::nullopt;
    Message message = posted_.front();
    posted_.pop_front();
    return message;
}

std::optional<int> ThreadQueue::takeQuit() {
    std::lock_guard lock(mutex_);
    return std::exchange(quitCode_, std::nullopt);
}

std::optional<Window> ThreadQueue::windowToPaint() const {
    std::vector<Window> windows;
    {
        std::lock_guard lock(mutex_);
        windows = windows_;
    }
    for (Window window : windows) {
        const auto record = FindWindowRecord(window);
        if (record && record->invalid.load()) return window;
    }
    return std::nullopt;
}

std::optional<Message> ThreadQueue::takePaint() {
    const auto window = windowToPaint();
    if (!window) return std::nullopt;
    return Message{*window, Msg::Paint, 0, 0};
}

bool ThreadQueue::hasMessage() const {
    {
        std::lock_guard lock(mutex_);
        if (!posted_.empty() || quitCode_) return true;
    }
    return windowToPaint().has_value();
}

void ThreadQueue::serveSentMessages() {
    for (;;) {
        std::shared_ptr<SentCall> call;
        {
            std::lock_guard lock(mutex_);
            if (sent_.empty()) return;
            call = std::move(sent_.front());
            sent_.pop_front();
        }
        call->complete(DeliverOnOwnThread(call->message));
    }
}

std::uint64_t ThreadQueue::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void ThreadQueue::waitForChange(std::uint64_t seen, std::optional<Clock::time_point> deadline, UserInput input) {
    if (main_) {
        ServeMainUntil([&] { return generation() != seen; }, deadline, input);
        return;
    }
    std::unique_lock lock(mutex_);
    const auto changed = [&] { return generation_ != seen; };
    if (deadline) {
        changed_.wait_until(lock, *deadline, changed);
    } else {
        changed_.wait(lock, changed);
    }
}

bool ThreadQueue::serveUntil(const std::function<bool()>& done, std::optional<Clock::time_point> deadline,
                             UserInput input) {
    for (;;) {
        const std::uint64_t seen = generation();
        serveSentMessages();
        if (done()) return true;
        if (deadline && Clock::now() >= *deadline) return false;
        waitForChange(seen, deadline, input);
    }
}

void ThreadQueue::adoptWindow(Window window) {
    std::lock_guard lock(mutex_);
    windows_.push_back(window);
}

void ThreadQueue::releaseWindow(Window window) {
    std::lock_guard lock(mutex_);
    std::erase(windows_, window);
}

void ThreadQueue::shutDown() {
    std::vector<Window> windows;
    std::deque<std::shared_ptr<SentCall>> calls;
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
        windows.swap(windows_);
        calls.swap(sent_);
        posted_.clear();
    }
    for (const auto& call : calls) call->complete(0);
    for (Window window : windows) ForgetWindow(window);
}

}  // namespace lumagrove::platform::backend
