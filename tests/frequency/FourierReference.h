#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

#include "base/PixelArray.h"
#include "frequency/CutoffMask.h"
#include "support/TestImages.h"

namespace lumagrove::testing {

// Plain, slow forms of the frequency operations, written straight from their
// definitions: every coefficient is a direct double sum over every pixel.
// They return each pixel's level before truncation, so that comparisons can
// tell a real fault from rounding on a byte boundary.

using Spectrum = std::vector<std::complex<double>>;

// X(u, v) = sum over x, y of p(x, y) e^(-2 pi i (u x / W + v y / H)), at v W + u.
Spectrum DirectTransform(const Spectrum& values, std::int32_t width, std::int32_t height, int sign);
Spectrum ToComplex(const TestImage& image);

// |X| x 0.01 per pixel.
std::vector<double> ReferenceSpectrumLevels(const TestImage& image);

// Forward, clear every coefficient outside the band by the radius to the
// nearest corner, backward, then |z| / (largest real part) x 255. The second
// form starts from the image's forward transform, for tests that filter one
// image many ways.
std::vector<double> ReferenceFilterLevels(const TestImage& image, PassBand band, std::int32_t cutoffX,
                                          std::int32_t cutoffY);
std::vector<double> ReferenceFilterLevels(const TestImage& image, Spectrum spectrum, PassBand band,
                                          std::int32_t cutoffX, std::int32_t cutoffY);

// Whether the bytes are the levels truncated (255 beyond), allowing one grey
// level only where the exact level lies within rounding of a whole number.
// Returns a description of the first real difference, or nothing.
std::string DifferenceFromLevels(const PixelArray& bytes, const std::vector<double>& levels, std::int32_t width);

}  // namespace lumagrove::testing
