#include "platform/qt/ModalLoop.h"

#include <QDialog>

#include "platform/qt/Interrupts.h"
#include "platform/qt/MainThread.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/WindowRegistry.h"

namespace lumagrove::platform::backend {

bool RunModalLoop(const std::function<bool()>& finished) {
    const auto queue = ThreadQueue::Current();
    const bool interruptible = !queue->isMain();
    for (;;) {
        const std::uint64_t seen = queue->generation();
        queue->serveSentMessages();
        if (finished()) return true;
        if (interruptible && InterruptRequested()) return false;
        auto message = queue->takePosted();
        if (!message) message = queue->takePaint();
        if (message) {
            DeliverOnOwnThread(*message);
            continue;
        }
        queue->waitForChange(seen, std::nullopt, UserInput::Accept);
    }
}

void PendingAnswer::complete(int answer, std::string answerText) {
    if (done()) return;
    value = answer;
    text = std::move(answerText);
    done_.store(true, std::memory_order_release);
    asker->wake();
}

Answer AskThroughMainThread(std::function<QDialog*(const std::shared_ptr<PendingAnswer>&)> build) {
    auto pending = std::make_shared<PendingAnswer>();
    pending->asker = ThreadQueue::Current();
    RunOnMain([pending, build = std::move(build)] {
        QDialog* dialog = build(pending);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        // A dialog that goes unanswered (its owner went) answers 0.
        QObject::connect(dialog, &QObject::destroyed, [pending] { pending->complete(0); });
        pending->widget = dialog;
        dialog->show();
    });
    if (!RunModalLoop([&] { return pending->done(); })) {
        RunOnMain([pending] {
            if (pending->widget) pending->widget->reject();
        });
        return Answer{};
    }
    return Answer{pending->value, pending->text};
}

}  // namespace lumagrove::platform::backend
