#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace lumagrove::platform {

// Starts a detached thread. Windows the thread still owns when the function
// returns are removed without further messages. False when no thread could be
// started.
bool StartThread(std::function<void()> body);

// Sleeps. The main thread keeps serving other threads meanwhile (windows they
// open or close, messages they send it), but takes no user input.
void SleepFor(std::chrono::milliseconds duration);

// Milliseconds since an arbitrary start; wraps around after 2^32.
std::uint32_t TickCount();

// An event that stays set until reset. Copies share one event.
class ManualResetEvent {
public:
    enum class Kind {
        Plain,
        // While set, it also wakes every thread but the main one that waits in
        // WaitForMessage, and ends with "no answer" the dialogs, message
        // boxes and file dialogs those threads have open: a signal to leave.
        InterruptsWindowThreads,
    };

    explicit ManualResetEvent(Kind kind = Kind::Plain);

    void set();
    void reset();
    bool isSet() const;
    // True when set within the time. The main thread keeps serving other
    // threads meanwhile, as in SleepFor.
    bool wait(std::chrono::milliseconds timeout) const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace lumagrove::platform
