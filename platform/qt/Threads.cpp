#include "platform/Threads.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/qt/Interrupts.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/ThreadQueue.h"

namespace lumagrove::platform {

namespace {

// How many interrupting events are set right now.
std::atomic<int> interruptingEventsSet{0};

}  // namespace

bool backend::InterruptRequested() { return interruptingEventsSet.load() > 0; }

bool StartThread(std::function<void()> body) {
    try {
        std::thread(std::move(body)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void SleepFor(std::chrono::milliseconds duration) {
    if (backend::IsMainThread()) {
        backend::ServeMainUntil([] { return false; }, backend::Clock::now() + duration, backend::UserInput::Defer);
    } else {
        std::this_thread::sleep_for(duration);
    }
}

std::uint32_t TickCount() {
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

struct ManualResetEvent::State {
    explicit State(Kind eventKind) : kind(eventKind) {}
    ~State() {
        if (set && kind == Kind::InterruptsWindowThreads) --interruptingEventsSet;
    }

    const Kind kind;
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool set = false;
};

ManualResetEvent::ManualResetEvent(Kind kind) : state_(std::make_shared<State>(kind)) {}

void ManualResetEvent::set() {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->set) return;
        state_->set = true;
        if (state_->kind == Kind::InterruptsWindowThreads) ++interruptingEventsSet;
    }
    state_->changed.notify_all();
    // Threads waiting for messages (or in a modal loop, or the main thread in
    // a wait of its own) look at the events again.
    backend::ThreadQueue::WakeAll();
}

void ManualResetEvent::reset() {
    std::lock_guard lock(state_->mutex);
    if (!state_->set) return;
    state_->set = false;
    if (state_->kind == Kind::InterruptsWindowThreads) --interruptingEventsSet;
}

bool ManualResetEvent::isSet() const {
    std::lock_guard lock(state_->mutex);
    return state_->set;
}

bool ManualResetEvent::wait(std::chrono::milliseconds timeout) const {
    const auto deadline = backend::Clock::now() + timeout;
    if (backend::IsMainThread()) {
        backend::ServeMainUntil([this] { return isSet(); }, deadline, backend::UserInput::Defer);
        return isSet();
    }
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_until(lock, deadline, [this] { return state_->set; });
}

}  // namespace lumagrove::platform
