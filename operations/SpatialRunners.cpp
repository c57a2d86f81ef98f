#include "imaging/FilterImage.h"
#include "imaging/GrayImage.h"
#include "operations/Runners.h"

namespace lumagrove::runners {
namespace {

GrayImage GrayImageOf(const SourceImage& source) { return GrayImage(source.pixels, source.width, source.height); }

OperationResult SameSize(const SourceImage& source, PixelArray pixels) {
    return ImageResult(std::move(pixels), source.width, source.height);
}

}  // namespace

OperationResult SmoothUniform(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    FilterImage work(source.pixels, source.width, source.height);
    return SameSize(source, work.smoothUniform(arguments.uniformWindow));
}

OperationResult SmoothGaussian(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    return SameSize(source, GrayImageOf(source).smoothGaussian(arguments.sigma, arguments.threshold));
}

OperationResult EqualizeGlobal(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return SameSize(source, GrayImageOf(source).equalizeGlobal());
}

// The histogram comes from the window's own pixels, the rest of the result
// from the working copy; both hold the same image.
OperationResult EqualizeSelectedArea(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    return SameSize(source, GrayImageOf(source).equalizeArea(source.pixels.data(), arguments.downX, arguments.downY,
                                                             arguments.upX, arguments.upY));
}

OperationResult EqualizeFourAreas(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return SameSize(source, GrayImageOf(source).equalizeFourAreas());
}

OperationResult EqualizeSixteenAreas(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return SameSize(source, GrayImageOf(source).equalizeSixteenAreas());
}

OperationResult GradientImage(const SourceImage& source, const OperationArguments&, const Reporter&) {
    return SameSize(source, GrayImageOf(source).gradientImage());
}

OperationResult EdgesByGradient(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    return SameSize(source, GrayImageOf(source).edgesByGradient(arguments.gradientThreshold));
}

OperationResult EdgesByDirection(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    return SameSize(source,
                    GrayImageOf(source).edgesByDirection(arguments.gradientThreshold, arguments.gradientDirection));
}

}  // namespace lumagrove::runners
