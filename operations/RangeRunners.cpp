#include "operations/Runners.h"
#include "range3d/RangeCoordinates.h"

namespace lumagrove::runners {

OperationResult ConvertTo3D(const SourceImage& source, const OperationArguments&, const Reporter& report) {
    // The conversion reads exactly 128 rows of 128 distances; any other image
    // would be read past its end or misread as rows it does not have.
    if (source.width != kRangeSide || source.height != kRangeSide || source.pixels.size() != kRangePixels) {
        report({"Convert to 3D needs a 128 x 128 image.", "Error", MessageIcon::None});
        return {OperationOutcome::Refused, {}, 0, 0};
    }
    RangeCoordinates coordinates;
    RangeToCoordinates(source.pixels.first<kRangePixels>(), coordinates);
    return ImageResult(LabelSurfaceOrientations(coordinates), kRangeSide, kRangeSide);
}

}  // namespace lumagrove::runners
