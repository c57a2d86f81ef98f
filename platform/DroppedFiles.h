#pragma once

#include <string>
#include <vector>

#include "platform/Message.h"

namespace lumagrove::platform {

// The names carried by a DropFiles message (its word parameter), in the order
// the drop listed them. Taking them releases the drop; a second call, or one
// with any other value, gives nothing.
std::vector<std::string> TakeDroppedFiles(WordParam drop);

}  // namespace lumagrove::platform
