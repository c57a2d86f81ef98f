#include "imaging/PixelBuffer.h"
#include "operations/Runners.h"

namespace lumagrove::runners {

OperationResult Negate(const SourceImage& source, const OperationArguments&, const Reporter&) {
    const PixelBuffer work(source.pixels, source.width, source.height);
    return ImageResult(work.negate(), source.width, source.height);
}

OperationResult Binarize(const SourceImage& source, const OperationArguments& arguments, const Reporter&) {
    const PixelBuffer work(source.pixels, source.width, source.height);
    return ImageResult(work.binarize(arguments.threshold), source.width, source.height);
}

}  // namespace lumagrove::runners
