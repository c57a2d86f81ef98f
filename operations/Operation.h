#pragma once

#include <cstdint>

#include "base/ImageView.h"
#include "base/PixelArray.h"
#include "base/Reporter.h"
#include "operations/Settings.h"

namespace lumagrove {

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
// A result the size of the image it came from.
inline OperationResult ImageResult(PixelArray pixels, ImageView source) {
    return ImageResult(std::move(pixels), source.width, source.height);
}

// An operation's code. Whoever runs it has checked once that the view's
// sides describe its pixels, so no operation checks them again.
using OperationRunner = OperationResult (*)(ImageView, const OperationArguments&, const Reporter&);

}  // namespace lumagrove
