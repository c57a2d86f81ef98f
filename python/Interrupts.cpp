#include "python/Interrupts.h"

#include <pybind11/pybind11.h>

#include <csignal>

namespace py = pybind11;

namespace lumagrove::python {
namespace {

// Only the main thread installs the handler, one call at a time (it holds
// the interpreter lock while it does), so one of each is enough.
std::atomic<StopToken*> interruptedCall{nullptr};
struct sigaction pythonAction {};

void StopAndForward(int signal, siginfo_t* info, void* context) {
    if (StopToken* token = interruptedCall.load()) token->request();
    // Python's own handler, so that it raises KeyboardInterrupt afterwards.
    if (pythonAction.sa_flags & SA_SIGINFO) {
        pythonAction.sa_sigaction(signal, info, context);
    } else if (pythonAction.sa_handler != SIG_DFL && pythonAction.sa_handler != SIG_IGN) {
        pythonAction.sa_handler(signal);
    }
}

bool OnMainThread() {
    const py::module_ threading = py::module_::import("threading");
    return threading.attr("current_thread")().is(threading.attr("main_thread")());
}

}  // namespace

InterruptStops::InterruptStops(StopToken& token) {
    if (!OnMainThread()) return;
    struct sigaction current {};
    if (sigaction(SIGINT, nullptr, &current) != 0) return;
    const bool handled =
        (current.sa_flags & SA_SIGINFO) != 0 || (current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN);
    if (!handled) return;
    pythonAction = current;
    interruptedCall.store(&token);
    struct sigaction action {};
    action.sa_sigaction = StopAndForward;
    action.sa_flags = SA_SIGINFO | SA_RESTART | (current.sa_flags & SA_ONSTACK);
    sigemptyset(&action.sa_mask);
    installed_ = sigaction(SIGINT, &action, nullptr) == 0;
    if (!installed_) interruptedCall.store(nullptr);
}

InterruptStops::~InterruptStops() {
    if (!installed_) return;
    sigaction(SIGINT, &pythonAction, nullptr);
    interruptedCall.store(nullptr);
}

void RaiseInterrupted() {
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
    PyErr_SetNone(PyExc_KeyboardInterrupt);
    throw py::error_already_set();
}

}  // namespace lumagrove::python
