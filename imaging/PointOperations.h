#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"

namespace lumagrove {

// Operations that map each pixel by its own value alone; each returns a new
// image of the input's size.
PixelArray Negate(ImageView image);
PixelArray Binarize(ImageView image, std::int32_t threshold);

}  // namespace lumagrove
