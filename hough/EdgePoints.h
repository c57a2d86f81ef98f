#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/PixelArray.h"

namespace lumagrove {

// The pixels of an edge map that vote, row by row. Kept instead of the map:
// both transforms only ever walk the edge pixels, and edges are usually a
// small share of the image.
class EdgePoints {
public:
    // Every non-zero byte of the width x height map is an edge pixel.
    EdgePoints(const PixelArray& edgeMap, std::int32_t width, std::int32_t height);

    // The columns of the edge pixels of row y, left to right.
    std::span<const std::int32_t> row(std::int32_t y) const {
        return {columns_.data() + rowStart_[y], columns_.data() + rowStart_[y + 1]};
    }
    std::int32_t height() const { return static_cast<std::int32_t>(rowStart_.size()) - 1; }
    std::size_t size() const { return columns_.size(); }

private:
    std::vector<std::size_t> rowStart_;  // height + 1 offsets into columns_
    std::vector<std::int32_t> columns_;
};

}  // namespace lumagrove
