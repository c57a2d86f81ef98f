#pragma once

#include <string>

#include "base/Reporter.h"

namespace lumagrove::pictures {

inline Message NotAPictureWeRead(const std::string& name) {
    return {"File: " + name + " is not a picture this program can read.", "Error", MessageIcon::None};
}
inline Message PictureTooLarge(const std::string& name) {
    return {"File: " + name + " has more pixels than this program can hold (2147483647 at most).", "Error",
            MessageIcon::None};
}
inline Message NotEnoughMemory() {
    return {"Not enough memory to complete the operation.", "Error", MessageIcon::None};
}

}  // namespace lumagrove::pictures
