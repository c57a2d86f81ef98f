#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"
#include "base/Reporter.h"

namespace lumagrove {

// Frequency domain. Each returns an image of the input's size, or an empty
// array after reporting "Error Creating Plan" when FFTW could make no plan.
PixelArray FourierSpectrum(ImageView image, const Reporter& report);
PixelArray GlobalLowPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, const Reporter& report);
PixelArray GlobalHighPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, const Reporter& report);
// The same filters on the rectangle between the corners (x1, y1) and
// (x2, y2) alone, taken as Selected Area takes it (columns x1 <= x < x2 of
// rows y1 <= y < y2, corners in any order, clipped to the image): the
// rectangle is filtered and scaled as if it were the whole image, its own
// sides in the cut-off rule, and the rest of the image is left as it is. An
// empty rectangle leaves all of it.
PixelArray LocalLowPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, std::int32_t x1, std::int32_t y1,
                        std::int32_t x2, std::int32_t y2, const Reporter& report);
PixelArray LocalHighPass(ImageView image, std::int32_t cutoffX, std::int32_t cutoffY, std::int32_t x1, std::int32_t y1,
                         std::int32_t x2, std::int32_t y2, const Reporter& report);

}  // namespace lumagrove
