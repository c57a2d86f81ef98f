#pragma once

#include <cstdint>
#include <string>

#include "base/PixelArray.h"

namespace lumagrove {

// One image as it travels from a reader or an operation into its window.
// The window's drawing surface is the desktop's business and lives there.
struct ImageRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArray pixels;
    std::string title;
    // Selection corners in client (= image) coordinates, stored as pressed
    // and released, never reordered.
    std::int32_t downX = 0;
    std::int32_t downY = 0;
    std::int32_t upX = 0;
    std::int32_t upY = 0;
};

}  // namespace lumagrove
