#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace lumagrove::platform::backend {

using Clock = std::chrono::steady_clock;

// Every widget lives on the main thread; other threads reach them only
// through tasks queued here.
bool IsMainThread();

// Runs `task` on the main thread: at once when called there, otherwise queued
// behind earlier tasks, never waiting for it. Dropped once the toolkit is gone.
void RunOnMain(std::function<void()> task);
// Queues `task` for the main thread's event loop even when called there.
void QueueOnMain(std::function<void()> task);
// Runs `task` on the main thread and returns once it has run, serving the
// messages other threads send the caller meanwhile. For the few calls whose
// result the caller needs at once, such as where a new window went. False
// when the toolkit is gone and the task never ran.
bool RunOnMainAndWait(std::function<void()> task);

enum class UserInput { Accept, Defer };

// On the main thread: handles the toolkit's events until `done` holds or the
// deadline passes. Deferring user input keeps a waiting main thread from
// acting on clicks meant for after the wait, while it still serves the tasks
// of other threads.
void ServeMainUntil(const std::function<bool()>& done, std::optional<Clock::time_point> deadline, UserInput input);

// Called by Application to bind these services to the toolkit and back.
void AttachMainThread();
void DetachMainThread();

}  // namespace lumagrove::platform::backend
