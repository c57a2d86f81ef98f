#include "FourierReference.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumagrove::testing {
namespace {

// e^(sign 2 pi i k / n) for k = 0 .. n - 1, so that products of indices can
// be reduced modulo n before the angle is formed.
std::vector<std::complex<double>> Twiddles(std::int32_t n, int sign) {
    std::vector<std::complex<double>> table(static_cast<std::size_t>(n));
    for (std::int32_t k = 0; k < n; ++k) {
        const long double angle = sign * 2.0L * std::numbers::pi_v<long double> * k / n;
        table[k] = {static_cast<double>(std::cos(angle)), static_cast<double>(std::sin(angle))};
    }
    return table;
}

std::int64_t SquaredRadius(std::int32_t u, std::int32_t v, std::int32_t width, std::int32_t height) {
    const std::int64_t du = std::min(u, width - u);
    const std::int64_t dv = std::min(v, height - v);
    return du * du + dv * dv;
}

// Written out rather than with std::complex's operator*, whose care for
// infinities makes the direct sums several times slower.
std::complex<double> Product(std::complex<double> a, std::complex<double> b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

}  // namespace

Spectrum DirectTransform(const Spectrum& values, std::int32_t width, std::int32_t height, int sign) {
    const auto across = Twiddles(width, sign);
    const auto down = Twiddles(height, sign);
    Spectrum result(values.size());
    for (std::int32_t v = 0; v < height; ++v) {
        for (std::int32_t u = 0; u < width; ++u) {
            std::complex<double> sum = 0.0;
            for (std::int32_t y = 0; y < height; ++y) {
                const auto rowFactor = down[(static_cast<std::int64_t>(v) * y) % height];
                for (std::int32_t x = 0; x < width; ++x) {
                    const auto factor = Product(across[(static_cast<std::int64_t>(u) * x) % width], rowFactor);
                    sum += Product(values[static_cast<std::size_t>(y) * width + x], factor);
                }
            }
            result[static_cast<std::size_t>(v) * width + u] = sum;
        }
    }
    return result;
}

Spectrum ToComplex(const TestImage& image) { return Spectrum(image.pixels.begin(), image.pixels.end()); }

std::vector<double> ReferenceSpectrumLevels(const TestImage& image) {
    const Spectrum spectrum = DirectTransform(ToComplex(image), image.width, image.height, -1);
    std::vector<double> levels;
    for (const auto& coefficient : spectrum) levels.push_back(std::abs(coefficient) * 0.01);
    return levels;
}

std::vector<double> ReferenceFilterLevels(const TestImage& image, PassBand band, std::int32_t cutoffX,
                                          std::int32_t cutoffY) {
    return ReferenceFilterLevels(image, DirectTransform(ToComplex(image), image.width, image.height, -1), band, cutoffX,
                                 cutoffY);
}

std::vector<double> ReferenceFilterLevels(const TestImage& image, Spectrum spectrum, PassBand band,
                                          std::int32_t cutoffX, std::int32_t cutoffY) {
    const std::int32_t width = image.width;
    const std::int32_t height = image.height;

    const std::int64_t dx = cutoffX <= width / 2 ? cutoffX : std::int64_t{width} - cutoffX;
    const std::int64_t dy = cutoffY <= height / 2 ? cutoffY : std::int64_t{height} - cutoffY;
    const std::int64_t squaredCutoff = dx * dx + dy * dy;
    for (std::int32_t v = 0; v < height; ++v) {
        for (std::int32_t u = 0; u < width; ++u) {
            const std::int64_t squaredRadius = SquaredRadius(u, v, width, height);
            const bool cleared = band == PassBand::Low ? squaredRadius > squaredCutoff : squaredRadius < squaredCutoff;
            if (cleared) spectrum[static_cast<std::size_t>(v) * width + u] = 0.0;
        }
    }

    const Spectrum filtered = DirectTransform(spectrum, width, height, +1);
    double largest = filtered[0].real();
    for (const auto& value : filtered) largest = std::max(largest, value.real());
    // When the mask leaves nothing (all that survives is exactly zero) the
    // sums above still carry rounding; the picture is then black, not that
    // rounding stretched to 255. The true filtered image, 1 / (W H) of these
    // values, has nothing fainter than 1e-11 of the brightest pixel.
    const int brightest = *std::max_element(image.pixels.begin(), image.pixels.end());
    const bool nothingLeft = largest / (static_cast<double>(width) * height) <= 1e-11 * brightest;
    std::vector<double> levels;
    for (const auto& value : filtered) levels.push_back(nothingLeft ? 0.0 : std::abs(value) / largest * 255.0);
    return levels;
}

std::string DifferenceFromLevels(const PixelArray& bytes, const std::vector<double>& levels, std::int32_t width) {
    if (bytes.size() != levels.size())
        return "size " + std::to_string(bytes.size()) + " for " + std::to_string(levels.size());
    constexpr double kRounding = 1e-6;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double level = levels[i];
        const int expected = static_cast<int>(std::min(level, 255.0));
        const int actual = bytes[i];
        if (actual == expected) continue;
        const int boundary = std::max(actual, expected);
        if (std::abs(actual - expected) == 1 && std::abs(level - boundary) <= kRounding) continue;
        return "pixel (" + std::to_string(i % width) + ", " + std::to_string(i / width) + ") is " +
               std::to_string(actual) + ", level " + std::to_string(level);
    }
    return {};
}

}  // namespace lumagrove::testing
