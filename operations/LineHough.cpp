#include <utility>

#include "hough/LineHough.h"
#include "operations/HoughMenu.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Space(ImageView source, const OperationArguments&, const Reporter&) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArray space = LineHoughSpace(source, kLineEdges, width, height);
    return ImageResult(std::move(space), width, height);
}

OperationResult Lines(ImageView source, const OperationArguments&, const Reporter&) {
    return DrawingOnly(source, DetectLines(source, kLineEdges));
}

OperationResult LinesSuperimposed(ImageView source, const OperationArguments&, const Reporter&) {
    return OverOriginal(source, DetectLines(source, kLineEdges));
}

OperationResult LinesByDirection(ImageView source, const OperationArguments&, const Reporter&) {
    return OverOriginal(source, DetectLines(source, kMenuDirectionEdges));
}

constexpr OperationEntry kRows[] = {
    {.menuId = 40031,
     .menuPath = "&Action > Hough Transforms > Lines > Show Hough Space",
     .menuSummary = "the line Hough space (distance x angle)",
     .command = "line-space",
     .commandSummary = "the line Hough space (distance x angle)",
     .kind = EntryKind::Operation,
     .run = Space},
    {.menuId = 40032,
     .menuPath = "&Action > Hough Transforms > Lines > Detect lines (show lines only)",
     .menuSummary = "detected straight lines on black",
     .command = "lines",
     .commandSummary = "detected straight lines on black",
     .kind = EntryKind::Operation,
     .run = Lines},
    {.menuId = 40033,
     .menuPath = "&Action > Hough Transforms > Lines > Detect lines (superimpose on original)",
     .menuSummary = "detected straight lines over the image",
     .command = "lines-superimposed",
     .commandSummary = "detected straight lines over the image",
     .kind = EntryKind::Operation,
     .run = LinesSuperimposed},
    {.menuId = 40034,
     .menuPath = "&Action > Hough Transforms > Lines > Detect lines using direction info",
     .menuSummary = "lines from direction-checked votes, over the image",
     .command = "lines-direction",
     .commandSummary = "lines from direction-checked votes, over the image",
     .kind = EntryKind::Operation,
     .run = LinesByDirection},
};

}  // namespace

std::span<const OperationEntry> LineHough() { return kRows; }

}  // namespace lumagrove::rows
