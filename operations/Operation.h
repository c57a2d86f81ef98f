#pragma once

#include <cstdint>
#include <span>

#include "base/PixelArray.h"
#include "base/Reporter.h"
#include "operations/Settings.h"

namespace lumagrove {

// The image an operation starts from. Operations copy what they need and
// never change it; the copy refuses sides that do not describe the pixels.
struct SourceImage {
    std::span<const std::uint8_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Everything an operation may be given: the user's settings plus the values
// that come from the window (the selection corners) or are fixed by the menu.
// The settings are a base rather than a member so that every value is a field
// of this one type, which the command-line options name directly.
struct OperationArguments : Settings {
    std::int32_t uniformWindow = 5;  // the menu always smooths with a 5 x 5 window
    std::int32_t circleRadius = 14;  // the radius plane "Show Hough Space" shows
    std::int32_t downX = 0;
    std::int32_t downY = 0;
    std::int32_t upX = 0;
    std::int32_t upY = 0;
};

enum class OperationOutcome {
    Image,    // pixels hold the result
    NoImage,  // the operation ran but could not produce an image (it said why)
    Refused,  // the operation did not run (it said why)
};

struct OperationResult {
    OperationOutcome outcome = OperationOutcome::NoImage;
    PixelArray pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

inline OperationResult ImageResult(PixelArray pixels, std::int32_t width, std::int32_t height) {
    return {OperationOutcome::Image, std::move(pixels), width, height};
}

using OperationRunner = OperationResult (*)(const SourceImage&, const OperationArguments&, const Reporter&);

}  // namespace lumagrove
