#pragma once

namespace lumagrove::platform::backend {

// True while any event that interrupts window threads is set.
bool InterruptRequested();

}  // namespace lumagrove::platform::backend
