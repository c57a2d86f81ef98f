#include "imaging/FilterImage.h"
#include "operations/Runners.h"

namespace lumagrove::runners {
namespace {

// An empty array means FFTW made no plan; the operation has said so.
OperationResult FrequencyResult(PixelArray pixels, const SourceImage& source) {
    if (pixels.empty()) return {OperationOutcome::NoImage, {}, 0, 0};
    return ImageResult(std::move(pixels), source.width, source.height);
}

}  // namespace

OperationResult FourierSpectrum(const SourceImage& source, const OperationArguments&, const Reporter& report) {
    FilterImage work(source.pixels, source.width, source.height);
    return FrequencyResult(work.fourierSpectrum(report), source);
}

OperationResult GlobalHighPass(const SourceImage& source, const OperationArguments& arguments, const Reporter& report) {
    FilterImage work(source.pixels, source.width, source.height);
    return FrequencyResult(work.globalHighPass(arguments.cutoffX, arguments.cutoffY, report), source);
}

OperationResult GlobalLowPass(const SourceImage& source, const OperationArguments& arguments, const Reporter& report) {
    FilterImage work(source.pixels, source.width, source.height);
    return FrequencyResult(work.globalLowPass(arguments.cutoffX, arguments.cutoffY, report), source);
}

}  // namespace lumagrove::runners
