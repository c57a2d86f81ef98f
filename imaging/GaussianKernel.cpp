#include "imaging/GaussianKernel.h"

#include <algorithm>
#include <cmath>

namespace lumagrove {

std::int64_t GaussianLength(double sigma) {
    const double scaled = 3.0 * sigma;
    if (!(scaled >= 1.0)) return 0;
    const auto length = static_cast<std::int64_t>(std::min(scaled, 0x1p40));
    return length % 2 == 0 ? length - 1 : length;
}

std::vector<double> GaussianWeights(double sigma, std::int64_t length) {
    // 6.283185308 is two pi as this program takes it.
    const double scale = 1.0 / (sigma * std::sqrt(6.283185308));
    const double step = length > 1 ? 3.0 * sigma / static_cast<double>(length - 1) : 0.0;
    std::vector<double> weights(static_cast<std::size_t>(length));
    double x = -1.5 * sigma;
    for (double& weight : weights) {
        weight = scale * std::exp(-(x * x) / (2.0 * sigma * sigma));
        x = x + step;
    }
    return weights;
}

}  // namespace lumagrove
