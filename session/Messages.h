#pragma once

#include <cstdint>
#include <string>

#include "base/Reporter.h"

// The texts both front ends show around running an operation.
namespace lumagrove::session {

inline Message NotEnoughMemory() {
    return {"Not enough memory to complete the operation.", "Error", MessageIcon::None};
}

// The desktop's "Performance data:" line and the command line's --time line.
inline std::string CompletedIn(std::int64_t milliseconds) {
    return "Completed in " + std::to_string(milliseconds) + " ms";
}

}  // namespace lumagrove::session
