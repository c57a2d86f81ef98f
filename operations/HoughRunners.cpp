#include <utility>

#include "hough/CircleHough.h"
#include "hough/LineHough.h"
#include "operations/Runners.h"

namespace lumagrove::runners {
namespace {

// The menu's "using direction info" entries look only for edges near
// 100 degrees (or the opposite way), with a gradient threshold of their own.
constexpr std::int32_t kMenuDirection = 100;
constexpr std::int32_t kMenuEdgeThreshold = 20;

enum class Shown { DrawingOnly, OverOriginal };

template <typename Hough>
OperationResult Detect(const SourceImage& source, bool byDirection, Shown shown) {
    Hough hough;
    hough.setImage(source.pixels, source.width, source.height);
    if (byDirection) {
        hough.useDirection = 1;
        hough.direction = kMenuDirection;
        hough.edgeThreshold = kMenuEdgeThreshold;
    }
    hough.detect();
    PixelArray shownPixels = shown == Shown::DrawingOnly ? hough.overlayImage() : hough.superimposedImage();
    return ImageResult(std::move(shownPixels), hough.width, hough.height);
}

}  // namespace

OperationResult LineSpace(const SourceImage& source, const OperationArguments&, const Reporter&) {
    LineHough hough;
    hough.setImage(source.pixels, source.width, source.height);
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArray space = hough.houghSpace(width, height);
    return ImageResult(std::move(space), width, height);
}

OperationResult Lines(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return Detect<LineHough>(source, false, Shown::DrawingOnly);
}

OperationResult LinesSuperimposed(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return Detect<LineHough>(source, false, Shown::OverOriginal);
}

OperationResult LinesByDirection(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return Detect<LineHough>(source, true, Shown::OverOriginal);
}

OperationResult CircleSpace(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    CircleHough hough;
    hough.setImage(source.pixels, source.width, source.height);
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArray space = hough.houghSpace(arguments.circleRadius, width, height);
    return ImageResult(std::move(space), width, height);
}

OperationResult Circles(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return Detect<CircleHough>(source, false, Shown::DrawingOnly);
}

OperationResult CirclesSuperimposed(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return Detect<CircleHough>(source, false, Shown::OverOriginal);
}

OperationResult CirclesByDirection(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return Detect<CircleHough>(source, true, Shown::OverOriginal);
}

}  // namespace lumagrove::runners
