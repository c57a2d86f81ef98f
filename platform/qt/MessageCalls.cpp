#include "platform/MessageQueue.h"
#include "platform/qt/Interrupts.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform {

using backend::ThreadQueue;

bool NextMessage(Message& out) {
    const auto queue = ThreadQueue::Current();
    std::optional<int> quit;
    std::optional<Message> message;
    queue->serveUntil(
        [&] {
            message = queue->takePosted();
            if (message) return true;
            quit = queue->takeQuit();
            if (quit) return true;
            message = queue->takePaint();
            return message.has_value();
        },
        std::nullopt, backend::UserInput::Accept);
    if (quit) {
        out = Message{Window{}, Msg::Quit, static_cast<WordParam>(*quit), 0};
        return false;
    }
    out = *message;
    return true;
}

std::optional<Message> PollMessage() {
    const auto queue = ThreadQueue::Current();
    queue->serveSentMessages();
    auto message = queue->takePosted();
    return message ? message : queue->takePaint();
}

void WaitForMessage() {
    const auto queue = ThreadQueue::Current();
    const bool interruptible = !queue->isMain();
    queue->serveUntil(
        [&] {
            if (interruptible && backend::InterruptRequested()) return true;
            return queue->hasMessage();
        },
        std::nullopt, backend::UserInput::Accept);
}

Result DispatchMessage(const Message& message) { return backend::DeliverOnOwnThread(message); }

bool PostMessage(Window window, Msg id, WordParam word, LongParam data) {
    const auto record = backend::FindWindowRecord(window);
    return record && record->queue->post(Message{window, id, word, data});
}

Result SendMessage(Window window, Msg id, WordParam word, LongParam data) {
    const auto record = backend::FindWindowRecord(window);
    if (!record) return 0;
    const auto self = ThreadQueue::Current();
    if (record->queue == self) return backend::Deliver(*record, id, word, data);
    auto call = std::make_shared<backend::SentCall>();
    call->message = Message{window, id, word, data};
    call->sender = self;
    if (!record->queue->send(call)) return 0;
    // The caller does not act on user input until the answer is there.
    self->serveUntil([&] { return call->done.load(std::memory_order_acquire); }, std::nullopt,
                     backend::UserInput::Defer);
    return call->result;
}

void PostQuit(int exitCode) { ThreadQueue::Current()->postQuit(exitCode); }

}  // namespace lumagrove::platform
