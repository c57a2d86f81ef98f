#include "platform/Application.h"

#include <QApplication>

#include "platform/qt/MainThread.h"
#include "platform/qt/ThreadQueue.h"
#include "platform/qt/Widgets.h"

namespace lumagrove::platform {

struct Application::State {
    std::unique_ptr<QApplication> toolkit;
};

Application::Application(int& argc, char** argv) : state_(std::make_unique<State>()) {
    state_->toolkit = std::make_unique<QApplication>(argc, argv);
    // The program ends when its own loop says so, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    backend::AttachMainThread();
    backend::ThreadQueue::Current();
}

Application::~Application() {
    backend::ThreadQueue::Current()->shutDown();
    backend::DropAllWidgets();
    backend::DetachMainThread();
    state_->toolkit.reset();
}

}  // namespace lumagrove::platform
