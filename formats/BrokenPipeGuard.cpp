#include "formats/BrokenPipeGuard.h"

#include <cerrno>
#include <ctime>

namespace lumagrove {
namespace {

sigset_t PipeSignal() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    return pipe;
}

bool PipeSignalPending() {
    sigset_t pending;
    sigpending(&pending);
    return sigismember(&pending, SIGPIPE) == 1;
}

}  // namespace

// SIGPIPE for a failed write goes to the thread that wrote, so blocking it in
// this thread is enough to turn it into a plain EPIPE.
BrokenPipeGuard::BrokenPipeGuard() {
    const sigset_t pipe = PipeSignal();
    pthread_sigmask(SIG_BLOCK, &pipe, &previousMask_);
    alreadyPending_ = PipeSignalPending();
}

BrokenPipeGuard::~BrokenPipeGuard() {
    // The write's errno is what the caller reports; the calls here must not
    // change it.
    const int writeError = errno;
    // A SIGPIPE our own writes raised is still waiting; take it, or it would
    // strike the moment the old mask comes back. One that was already waiting
    // before belongs to someone else and stays.
    if (!alreadyPending_ && PipeSignalPending()) {
        const sigset_t pipe = PipeSignal();
        const timespec noWait{};
        while (sigtimedwait(&pipe, nullptr, &noWait) < 0 && errno == EINTR) {}
    }
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
    errno = writeError;
}

}  // namespace lumagrove
