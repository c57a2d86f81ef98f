#pragma once

#include <optional>

#include "platform/Message.h"

namespace lumagrove::platform {

// Every thread has a queue of its own, made on first use. Messages for a
// window go to the queue of the thread that created it, and its procedure runs
// on that thread. While a thread waits in any call below, it also serves the
// messages other threads send it synchronously.

// Blocks until a message is there and takes it. False when the thread asked to
// quit: out is then a Quit message with the exit code in its word parameter. Posted messages come first, then
// the quit request, then paints.
bool NextMessage(Message& out);

// Takes the next posted message or paint without waiting; never the quit request.
std::optional<Message> PollMessage();

// Returns when the queue holds a message (at once if it already does). On any
// thread but the main one it also returns while an event that interrupts
// window threads is set (see ManualResetEvent).
void WaitForMessage();

// Runs the window's procedure on the calling thread, which must own the window.
Result DispatchMessage(const Message& message);

// Queues a message for the window's thread and returns at once. False when the
// window is gone.
bool PostMessage(Window window, Msg id, WordParam word = 0, LongParam data = 0);

// Runs the procedure on the window's thread and waits for its result, serving
// messages sent to the calling thread meanwhile (so two threads sending to each
// other do not block). 0 when the window is gone or its thread ends first.
Result SendMessage(Window window, Msg id, WordParam word = 0, LongParam data = 0);

// Asks the calling thread's loop to end: NextMessage returns false once the
// posted messages ahead of the request are taken.
void PostQuit(int exitCode);

}  // namespace lumagrove::platform
