#pragma once

#include "base/Bands.h"

namespace lumagrove::python {

// While it lives, Ctrl+C (SIGINT) also stops `token`, on top of what Python
// makes of it, so that a long call made from the main thread ends soon after
// it instead of running to its end before Python can raise
// KeyboardInterrupt. Python only raises it in the main thread, so calls from
// other threads are left alone, as are programs that ignore SIGINT.
class InterruptStops {
public:
    explicit InterruptStops(StopToken& token);
    ~InterruptStops();
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

private:
    bool installed_ = false;
};

// Raises what Python makes of the Ctrl+C that stopped a call:
// KeyboardInterrupt unless the program's own handler says otherwise.
[[noreturn]] void RaiseInterrupted();

}  // namespace lumagrove::python
