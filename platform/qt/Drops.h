#pragma once

#include <string>
#include <vector>

#include "platform/Message.h"

namespace lumagrove::platform::backend {

// Keeps the names of a drop until the receiver takes them; the result goes
// in the word parameter of the DropFiles message.
WordParam StoreDrop(std::vector<std::string> names);

}  // namespace lumagrove::platform::backend
