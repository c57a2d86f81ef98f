#pragma once

#include <opencv2/core.hpp>

#include "BenchImages.h"

namespace lumagrove::bench {

// The same bytes seen as an OpenCV image, without a copy.
inline cv::Mat MatOf(const BenchImage& image) {
    return cv::Mat(image.height, image.width, CV_8UC1, const_cast<std::uint8_t*>(image.pixels.data()));
}

}  // namespace lumagrove::bench
