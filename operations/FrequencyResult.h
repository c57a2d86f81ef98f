#pragma once

#include <utility>

#include "operations/Operation.h"

namespace lumagrove {

// An empty array means FFTW made no plan; the operation has said so.
inline OperationResult FrequencyResult(PixelArray pixels, ImageView source) {
    if (pixels.empty()) return {OperationOutcome::NoImage, {}, 0, 0};
    return ImageResult(std::move(pixels), source);
}

}  // namespace lumagrove
