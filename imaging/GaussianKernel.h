#pragma once

#include <cstdint>
#include <vector>

namespace lumagrove {

// The number of weights for a sigma: trunc(3 sigma), made odd by taking one
// off. 0 when sigma is too small for a single weight (below 1/3, or not a
// number). Very large sigmas are capped far beyond any image side, where a
// pass has no pixel to compute anyway.
std::int64_t GaussianLength(double sigma);

// `length` samples of the normal density, evenly spaced from -1.5 sigma to
// +1.5 sigma whatever the pixel spacing, and not normalised: they sum to less
// than 1, which darkens the image before the fixed lift.
std::vector<double> GaussianWeights(double sigma, std::int64_t length);

}  // namespace lumagrove
