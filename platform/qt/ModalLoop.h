#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include <QPointer>

class QDialog;

namespace lumagrove::platform::backend {

class ThreadQueue;

// Runs the calling thread's messages until `finished` holds. On every thread
// but the main one it gives up (false) as soon as an event that interrupts
// window threads is set.
bool RunModalLoop(const std::function<bool()>& finished);

// The answer of a box or dialog that the main thread shows for another thread.
struct PendingAnswer {
    // Main thread; the first answer counts.
    void complete(int value, std::string text = {});
    bool done() const { return done_.load(std::memory_order_acquire); }

    std::shared_ptr<ThreadQueue> asker;
    int value = 0;
    std::string text;
    QPointer<QDialog> widget;  // main thread only

private:
    std::atomic<bool> done_{false};
};

// Has the main thread build and open a window-modal dialog without blocking
// (no nested event loop there, so answers may come in any order), and waits
// for its answer in the calling thread's own message loop. The builder wires
// the dialog's outcome to complete(). An interrupted wait closes the dialog
// and gives value 0 and no text.
struct Answer {
    int value = 0;
    std::string text;
};
Answer AskThroughMainThread(std::function<QDialog*(const std::shared_ptr<PendingAnswer>&)> build);

}  // namespace lumagrove::platform::backend
