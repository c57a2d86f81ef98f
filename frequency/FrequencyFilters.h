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

}  // namespace lumagrove
