#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace lumagrove {

// The three coordinate planes of an XYZ file.
struct CoordinateRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::unique_ptr<float[]> xPlane;
    std::unique_ptr<float[]> yPlane;
    std::unique_ptr<float[]> zPlane;
    std::string path;
};

}  // namespace lumagrove
