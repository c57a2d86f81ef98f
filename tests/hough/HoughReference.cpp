#include "hough/HoughReference.h"

#include <cmath>

#include "imaging/EdgeDetection.h"

namespace lumagrove::testing {
namespace {

constexpr double kPi = 3.141592654;

double LineRadians(int degrees) { return (degrees * kPi) * 0.005555555555555556; }

}  // namespace

TestImage ReferenceEdgeMap(const TestImage& image, int edgeThreshold, int direction, bool useDirection) {
    const ImageView gray{image.pixels, image.width, image.height};
    const PixelArray edges =
        useDirection ? EdgesByDirection(gray, edgeThreshold, direction) : EdgesByGradient(gray, edgeThreshold);
    return {image.width, image.height, ToVector(edges)};
}

ReferenceLines ReferenceLineVotes(const TestImage& edgeMap) {
    ReferenceLines lines;
    lines.width = edgeMap.width;
    lines.height = edgeMap.height;
    lines.rhoCount = static_cast<int>(
        std::sqrt(static_cast<double>(edgeMap.width * edgeMap.width + edgeMap.height * edgeMap.height)));
    lines.accumulator.assign(lines.rhoCount, std::vector<std::uint8_t>(360, 0));
    lines.overlay.assign(edgeMap.pixels.size(), 0);
    float sinTable[360];
    float cosTable[360];
    for (int t = 0; t < 360; ++t) {
        sinTable[t] = static_cast<float>(std::sin(LineRadians(t - 180)));
        cosTable[t] = static_cast<float>(std::cos(LineRadians(t - 180)));
    }
    const int half = lines.rhoCount / 2;
    for (int i = 0; i < static_cast<int>(edgeMap.pixels.size()); ++i) {
        if (edgeMap.pixels[i] == 0) continue;
        const int x = i % edgeMap.width;
        const int y = i / edgeMap.width;
        for (int t = 0; t < 360; ++t) {
            const double r = static_cast<double>(y - edgeMap.height / 2) * static_cast<double>(sinTable[t]) +
                             static_cast<double>(x - edgeMap.width / 2) * static_cast<double>(cosTable[t]);
            const int rho = static_cast<int>(r);
            if (-half < rho && rho < half && rho != 0) ++lines.accumulator[half + rho][t];
        }
    }
    return lines;
}

std::vector<std::array<int, 2>> ReferenceLinePeaks(const ReferenceLines& lines) {
    std::vector<std::array<int, 2>> peaks;
    int max = 0;
    for (const auto& row : lines.accumulator) {
        for (const std::uint8_t v : row) max = std::max(max, static_cast<int>(v));
    }
    if (lines.rhoCount <= 9) return peaks;
    const double threshold = max * 0.7;
    for (int rho = 4; rho <= lines.rhoCount - 6; ++rho) {
        for (int t = 4; t <= 354; ++t) {
            const int v = lines.accumulator[rho][t];
            if (!(v > threshold)) continue;
            bool peak = true;
            for (int r = rho - 4; r <= rho + 4; ++r) {
                for (int c = t - 5; c <= t + 4; ++c) {
                    if (c >= 0 && lines.accumulator[r][c] > v) peak = false;
                }
            }
            if (peak) peaks.push_back({rho, t});
        }
    }
    return peaks;
}

void ReferenceDrawLine(ReferenceLines& lines, float distance, float angle) {
    const double q1 = kPi * 0.25;
    const double q3 = kPi * 0.75;
    const double theta = angle;
    const int w = lines.width;
    const int h = lines.height;
    std::vector<std::array<int, 2>> inside;
    if ((q1 <= theta && theta <= q3) || (q1 <= -theta && -theta <= q3)) {
        const double s = std::sin(theta);
        const float k = static_cast<float>(std::cos(theta) / s);
        const double base = (w / 2) * static_cast<double>(k) + distance / s + (h / 2) + 0.5;
        for (int x = 0; x < w; ++x) {
            const int y = static_cast<int>(base - x * static_cast<double>(k));
            if (0 <= y && y < h) inside.push_back({x, y});
        }
    } else {
        const double c = std::cos(theta);
        const float k = static_cast<float>(std::sin(theta) / c);
        const double base = (h / 2) * static_cast<double>(k) + distance / c + (w / 2) + 0.5;
        for (int y = 0; y < h; ++y) {
            const int x = static_cast<int>(base - y * static_cast<double>(k));
            if (0 <= x && x < w) inside.push_back({x, y});
        }
    }
    for (std::size_t i = 0; i + 1 < inside.size(); i += 2) lines.overlay[inside[i][1] * w + inside[i][0]] = 255;
}

std::vector<std::uint8_t> ReferenceDetectLines(const TestImage& edgeMap) {
    ReferenceLines lines = ReferenceLineVotes(edgeMap);
    for (const auto& [rho, t] : ReferenceLinePeaks(lines)) {
        ReferenceDrawLine(lines, static_cast<float>(rho - lines.rhoCount / 2),
                          static_cast<float>(LineRadians(t - 180)));
    }
    return lines.overlay;
}

std::vector<std::uint8_t> ReferenceLineSpace(const ReferenceLines& lines) {
    std::vector<std::uint8_t> space;
    for (const auto& row : lines.accumulator) space.insert(space.end(), row.begin(), row.end());
    return space;
}

ReferenceCircles ReferenceCircleVotes(const TestImage& edgeMap) {
    ReferenceCircles circles;
    circles.width = edgeMap.width;
    circles.height = edgeMap.height;
    circles.radiusCount = edgeMap.width / 2;
    circles.counters.assign(static_cast<std::size_t>(circles.radiusCount) * edgeMap.pixels.size(), 0);
    for (int i = 0; i < static_cast<int>(edgeMap.pixels.size()); ++i) {
        if (edgeMap.pixels[i] == 0) continue;
        const int px = i % edgeMap.width;
        const int py = i / edgeMap.width;
        for (int a = 0; a < circles.width; ++a) {
            for (int b = 0; b < circles.height; ++b) {
                const int d =
                    static_cast<int>(std::sqrt(static_cast<double>((px - a) * (px - a) + (py - b) * (py - b))));
                if (0 < d && d < circles.radiusCount) {
                    ++circles.counters[(static_cast<std::size_t>(d) * circles.height + b) * circles.width + a];
                }
            }
        }
    }
    return circles;
}

std::vector<std::array<int, 3>> ReferenceCirclePeaks(const ReferenceCircles& circles) {
    const int w = circles.width;
    const int h = circles.height;
    int max = 0;
    for (int d = 3; d <= 11 && d < circles.radiusCount; ++d) {
        for (int a = 2; a <= w - 3; ++a) {
            for (int b = 2; b <= h - 3; ++b) max = std::max(max, circles.at(d, a, b));
        }
    }
    const double threshold = max * 0.6;
    std::vector<std::array<int, 3>> peaks;
    for (int r = 4; r <= 11 && r < circles.radiusCount; ++r) {
        for (int a = 4; a <= w - 5; ++a) {
            for (int b = 4; b <= h - 5; ++b) {
                const int v = circles.at(r, a, b);
                if (!(v > threshold)) continue;
                bool peak = true;
                for (int d = r - 4; d <= r + 4 && d < circles.radiusCount; ++d) {
                    for (int x = a - 4; x <= a + 4; ++x) {
                        for (int y = b - 4; y <= b + 4; ++y) {
                            if (circles.at(d, x, y) > v) peak = false;
                        }
                    }
                }
                if (peak) peaks.push_back({r, a, b});
            }
        }
    }
    return peaks;
}

// The midpoint rule from its definition rather than its incremental form:
// walking the octant from straight below the centre, each step moves one
// column out and one row in exactly when the point halfway between the two
// candidate rows lies on or outside the circle (compared in quarter units,
// so without rounding). The point the walk starts from is never set.
void ReferenceDrawCircle(std::vector<std::uint8_t>& overlay, int width, int height, int cx, int cy, int r) {
    if (r <= 0) return;
    if (cx - r < 0 || cx + r > width - 1 || cy - r < 0 || cy + r > height - 1) return;
    const auto set = [&](int x, int y) { overlay[y * width + x] = 255; };
    const auto midpointOutside = [&](long x, long y) { return 4 * x * x + (2 * y - 1) * (2 * y - 1) >= 4L * r * r; };
    long x = 0;
    long y = r;
    do {
        ++x;
        if (midpointOutside(x, y)) --y;
        for (const int sx : {-1, 1}) {
            for (const int sy : {-1, 1}) {
                set(static_cast<int>(cx + sx * x), static_cast<int>(cy + sy * y));
                set(static_cast<int>(cx + sx * y), static_cast<int>(cy + sy * x));
            }
        }
    } while (y > x);
}

std::vector<std::uint8_t> ReferenceDetectCircles(const TestImage& edgeMap) {
    const ReferenceCircles circles = ReferenceCircleVotes(edgeMap);
    std::vector<std::uint8_t> overlay(edgeMap.pixels.size(), 0);
    for (const auto& [r, a, b] : ReferenceCirclePeaks(circles)) {
        ReferenceDrawCircle(overlay, edgeMap.width, edgeMap.height, a, b, r);
        ReferenceDrawCircle(overlay, edgeMap.width, edgeMap.height, a, b, r + 1);
    }
    return overlay;
}

std::vector<std::uint8_t> ReferenceCircleSpace(const ReferenceCircles& circles, int radius) {
    if (radius < 0 || radius > circles.radiusCount - 1) radius = circles.radiusCount - 1;
    std::vector<std::uint8_t> space(static_cast<std::size_t>(circles.width) * circles.height, 0);
    if (radius < 0) return space;
    for (int b = 0; b < circles.height; ++b) {
        for (int a = 0; a < circles.width; ++a) {
            space[static_cast<std::size_t>(b) * circles.width + a] =
                static_cast<std::uint8_t>(circles.at(radius, a, b) & 0xFF);
        }
    }
    return space;
}

std::vector<std::uint8_t> ReferenceSuperimposed(const TestImage& image, const std::vector<std::uint8_t>& overlay) {
    std::vector<std::uint8_t> result = image.pixels;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (overlay[i] != 0) result[i] = 255;
    }
    return result;
}

}  // namespace lumagrove::testing
