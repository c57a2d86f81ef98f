#pragma once

// The line and circle Hough transforms exactly as their description reads,
// with no thought for speed: every vote, every window cell, every step.

#include <array>
#include <cstdint>
#include <vector>

#include "support/TestImages.h"

namespace lumagrove::testing {

// The edge map the transforms take from an image.
TestImage ReferenceEdgeMap(const TestImage& image, int edgeThreshold, int direction, bool useDirection);

// The line transform: rhoCount rows of 360 wrapping 8-bit counters, and an
// overlay of the image's size.
struct ReferenceLines {
    int width = 0;
    int height = 0;
    int rhoCount = 0;
    std::vector<std::vector<std::uint8_t>> accumulator;
    std::vector<std::uint8_t> overlay;
};

ReferenceLines ReferenceLineVotes(const TestImage& edgeMap);
// Peaks as (rho, t), in the order the search meets them.
std::vector<std::array<int, 2>> ReferenceLinePeaks(const ReferenceLines& lines);
void ReferenceDrawLine(ReferenceLines& lines, float distance, float angle);
// Votes, peaks and drawing: the overlay of "show lines only".
std::vector<std::uint8_t> ReferenceDetectLines(const TestImage& edgeMap);
// The accumulator as the 360 x rhoCount Hough space image.
std::vector<std::uint8_t> ReferenceLineSpace(const ReferenceLines& lines);

// The circle transform: width / 2 radius planes of 32-bit counters over every
// centre of the image.
struct ReferenceCircles {
    int width = 0;
    int height = 0;
    int radiusCount = 0;
    std::vector<std::int32_t> counters;

    std::int32_t at(int d, int a, int b) const {
        return counters[(static_cast<std::size_t>(d) * height + b) * width + a];
    }
};

ReferenceCircles ReferenceCircleVotes(const TestImage& edgeMap);
// Peaks as (radius, column, row), in the order the search meets them.
std::vector<std::array<int, 3>> ReferenceCirclePeaks(const ReferenceCircles& circles);
void ReferenceDrawCircle(std::vector<std::uint8_t>& overlay, int width, int height, int cx, int cy, int r);
// Votes, peaks and drawing: the overlay of "show circles only".
std::vector<std::uint8_t> ReferenceDetectCircles(const TestImage& edgeMap);
// The Hough space image of one radius, low bytes, radius clamped as asked for.
std::vector<std::uint8_t> ReferenceCircleSpace(const ReferenceCircles& circles, int radius);

// Superimposes an overlay on an image.
std::vector<std::uint8_t> ReferenceSuperimposed(const TestImage& image, const std::vector<std::uint8_t>& overlay);

}  // namespace lumagrove::testing
