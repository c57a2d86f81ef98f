#pragma once

#include "base/Reporter.h"

namespace lumagrove::shell {

// Shows the core's messages as message boxes without an owner, waiting for
// the OK on the calling thread.
Reporter MessageBoxReporter();

}  // namespace lumagrove::shell
