#pragma once

#include <vector>

#include "base/Reporter.h"

namespace lumagrove::testing {

// Records what the core would have shown the user.
struct MessageLog {
    std::vector<Message> messages;

    Reporter reporter() {
        return [this](const Message& message) { messages.push_back(message); };
    }
};

}  // namespace lumagrove::testing
