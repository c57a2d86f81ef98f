#pragma once

#include <signal.h>

namespace lumagrove {

// While one lives, a write to a pipe or FIFO whose reader has gone fails with
// EPIPE in this thread instead of ending the whole process with SIGPIPE: the
// desktop must not lose every open image because a reader quit early. The
// process's own handling of SIGPIPE and the other threads are left alone.
class BrokenPipeGuard {
public:
    BrokenPipeGuard();
    ~BrokenPipeGuard();
    BrokenPipeGuard(const BrokenPipeGuard&) = delete;
    BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

private:
    sigset_t previousMask_;
    bool alreadyPending_ = false;
};

}  // namespace lumagrove
