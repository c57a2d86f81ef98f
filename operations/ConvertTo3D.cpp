#include "operations/OperationTable.h"
#include "range3d/RangeCoordinates.h"

namespace lumagrove::rows {
namespace {

OperationResult Run(ImageView source, const OperationArguments&, const Reporter& report) {
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

constexpr OperationEntry kRows[] = {
    {.menuId = 40039,
     .menuPath = "&Action > Convert to 3D",
     .menuSummary = "label surface orientations of a 128 x 128 range image",
     .command = "range3d",
     .commandSummary = "label surface orientations of a 128 x 128 range image",
     .kind = EntryKind::Operation,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> ConvertTo3D() { return kRows; }

}  // namespace lumagrove::rows
