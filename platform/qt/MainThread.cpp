#include "platform/qt/MainThread.h"

#include <atomic>

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "platform/qt/ThreadQueue.h"

namespace lumagrove::platform::backend {

namespace {

// The receiver of queued tasks; it lives on the main thread.
std::atomic<QObject*> taskReceiver{nullptr};
// Set for good once the toolkit goes: tasks still queued then never run.
std::atomic<bool> mainGone{false};

}  // namespace

void AttachMainThread() {
    mainGone = false;
    taskReceiver.store(new QObject);
}

void DetachMainThread() {
    delete taskReceiver.exchange(nullptr);
    mainGone = true;
    ThreadQueue::WakeAll();
}

bool IsMainThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application != nullptr && QThread::currentThread() == application->thread();
}

void QueueOnMain(std::function<void()> task) {
    QObject* receiver = taskReceiver.load();
    if (receiver == nullptr) return;
    QMetaObject::invokeMethod(receiver, std::move(task), Qt::QueuedConnection);
}

void RunOnMain(std::function<void()> task) {
    if (taskReceiver.load() == nullptr) return;
    if (IsMainThread()) {
        task();
    } else {
        QueueOnMain(std::move(task));
    }
}

bool RunOnMainAndWait(std::function<void()> task) {
    if (taskReceiver.load() == nullptr) return false;
    if (IsMainThread()) {
        task();
        return true;
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    const auto caller = ThreadQueue::Current();
    QueueOnMain([task = std::move(task), done, caller] {
        task();
        done->store(true);
        caller->wake();
    });
    caller->serveUntil([&] { return done->load() || mainGone.load(); }, std::nullopt, UserInput::Defer);
    return done->load();
}

void ServeMainUntil(const std::function<bool()>& done, std::optional<Clock::time_point> deadline, UserInput input) {
    QEventLoop::ProcessEventsFlags flags = QEventLoop::WaitForMoreEvents;
    if (input == UserInput::Defer) flags |= QEventLoop::ExcludeUserInputEvents;
    // The timer only makes the blocking wait return at the deadline; it may
    // fire a little early, so it is armed again for whatever time is left.
    QTimer alarm;
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    while (!done()) {
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0) return;
            if (!alarm.isActive()) alarm.start(left);
        }
        QCoreApplication::processEvents(flags);
    }
}

}  // namespace lumagrove::platform::backend
