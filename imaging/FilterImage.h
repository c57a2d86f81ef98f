#pragma once

#include <cstdint>
#include <span>

#include "base/PixelArray.h"
#include "base/Reporter.h"

namespace lumagrove {

// A private copy of an image plus an output buffer of the same size that the
// operation fills and hands out as its result. Once handed out, the output
// belongs to the caller; a FilterImage whose output was never handed out
// releases it with itself. The copy and the geometry are fixed at
// construction, which refuses sides that do not describe the source (see
// CheckedPixelCount).
struct FilterImage {
    const PixelArray source;
    PixelArray output;
    const std::int32_t width;
    const std::int32_t height;
    const std::int32_t count;

    FilterImage(std::span<const std::uint8_t> source, std::int32_t width, std::int32_t height);

    // Frequency domain. Each hands out the output, or an empty array after
    // reporting "Error Creating Plan" when FFTW could make no plan.
    PixelArray fourierSpectrum(const Reporter& report);
    PixelArray globalLowPass(std::int32_t cutoffX, std::int32_t cutoffY, const Reporter& report);
    PixelArray globalHighPass(std::int32_t cutoffX, std::int32_t cutoffY, const Reporter& report);

    // Box mean over a window x window square, handing out `output`.
    PixelArray smoothUniform(std::int32_t window);
};

}  // namespace lumagrove
