#pragma once

#include <cstdint>

namespace lumagrove {

// The operation parameters a user edits in the desktop's dialogs (and by
// releasing the mouse, for the cut-off point). Nothing is stored between runs.
struct Settings {
    std::int32_t windowSize = 3;  // edited in "Parameters": the median's window
    std::int32_t threshold = 150;
    double sigma = 1.0;
    std::int32_t gradientThreshold = 30;
    std::int32_t gradientDirection = 45;
    std::int32_t cutoffX = 0;
    std::int32_t cutoffY = 0;
};

}  // namespace lumagrove
