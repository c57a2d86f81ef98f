#pragma once

// Inputs with something to find: edge maps and images made of straight
// lines and small rings, with noise, some touching the border.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "hough/HoughTransform.h"
#include "support/TestImages.h"

namespace lumagrove::testing {

// What a detection shows: the shapes alone, and over the image.
struct Detected {
    std::vector<std::uint8_t> overlay;
    std::vector<std::uint8_t> superimposed;
};

// Runs a line or circle detection as the menu does, on the transform's own
// edges or, when `byDirection`, with the menu's fixed direction values.
inline Detected Detect(PixelArray (*detect)(ImageView, const EdgeSettings&), const EdgeSettings& ownEdges,
                       const TestImage& image, bool byDirection) {
    const ImageView view{image.pixels, image.width, image.height};
    const PixelArray overlay =
        detect(view, byDirection ? EdgeSettings{.threshold = 20, .direction = 100, .byDirection = true} : ownEdges);
    return {ToVector(overlay), ToVector(Superimposed(view, overlay))};
}

// An edge map of a few rings (radii 3 to 12, centres anywhere, so some are
// cut by the border), a few straight segments and scattered single pixels.
inline TestImage EdgeMapOfShapes(int width, int height, std::uint32_t seed, double noise) {
    std::mt19937 generator(seed);
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(generator); };
    TestImage map = ConstantImage(width, height, 0);
    for (int ring = uniform(0, 3); ring > 0; --ring) {
        const int cx = uniform(0, width - 1);
        const int cy = uniform(0, height - 1);
        const int r = uniform(3, 12);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int d =
                    static_cast<int>(std::sqrt(static_cast<double>((x - cx) * (x - cx) + (y - cy) * (y - cy))));
                if (d == r) map.at(x, y) = 255;
            }
        }
    }
    for (int segment = uniform(0, 3); segment > 0; --segment) {
        const double x0 = uniform(0, width - 1);
        const double y0 = uniform(0, height - 1);
        const double x1 = uniform(0, width - 1);
        const double y1 = uniform(0, height - 1);
        const int steps = static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0))) + 1;
        for (int s = 0; s <= steps; ++s) {
            const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * s / steps));
            const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * s / steps));
            map.at(x, y) = 255;
        }
    }
    std::bernoulli_distribution scattered(noise);
    for (auto& pixel : map.pixels) {
        if (scattered(generator)) pixel = static_cast<std::uint8_t>(uniform(1, 255));
    }
    return map;
}

// A gray image of bright and dark discs (radii 4 to 12) and straight bars on
// a shaded background, with noise: what a user would run detection on.
inline TestImage SceneOfShapes(int width, int height, std::uint32_t seed) {
    std::mt19937 generator(seed);
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(generator); };
    TestImage image = ConstantImage(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.at(x, y) = static_cast<std::uint8_t>(90 + (x + y) % 40);
    }
    for (int disc = uniform(1, 4); disc > 0; --disc) {
        const int cx = uniform(0, width - 1);
        const int cy = uniform(0, height - 1);
        const int r = uniform(4, 12);
        const int level = uniform(0, 1) ? 230 : 20;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    image.at(x, y) = static_cast<std::uint8_t>(level);
            }
        }
    }
    for (int bar = uniform(0, 2); bar > 0; --bar) {
        // A half-plane boundary a*x + b*y = c, two pixels wide.
        const double angle = uniform(0, 359) * 3.141592654 / 180;
        const double offset = uniform(0, width + height) - (width + height) / 2.0;
        const int level = uniform(0, 1) ? 250 : 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const double along =
                    (x - width / 2.0) * std::cos(angle) + (y - height / 2.0) * std::sin(angle) - offset;
                if (std::abs(along) < 1.0) image.at(x, y) = static_cast<std::uint8_t>(level);
            }
        }
    }
    std::uniform_int_distribution<int> noise(-6, 6);
    for (auto& pixel : image.pixels) pixel = static_cast<std::uint8_t>(std::clamp(pixel + noise(generator), 0, 255));
    return image;
}

}  // namespace lumagrove::testing
