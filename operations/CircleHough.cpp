#include <utility>

#include "hough/CircleHough.h"
#include "operations/HoughMenu.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Space(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(CircleHoughSpace(source, kCircleEdges, arguments.circleRadius), source);
}

OperationResult Circles(ImageView source, const OperationArguments&, const Reporter&) {
    return DrawingOnly(source, DetectCircles(source, kCircleEdges));
}

OperationResult CirclesSuperimposed(ImageView source, const OperationArguments&, const Reporter&) {
    return OverOriginal(source, DetectCircles(source, kCircleEdges));
}

OperationResult CirclesByDirection(ImageView source, const OperationArguments&, const Reporter&) {
    return OverOriginal(source, DetectCircles(source, kMenuDirectionEdges));
}

constexpr OptionDescriptor kRadius{.flag = "--radius",
                                   .valueName = "R",
                                   .field = IntegerField{&OperationArguments::circleRadius, 0},
                                   .help = "radius plane to show; beyond the largest, the largest"};
constexpr const OptionDescriptor* kSpaceOptions[] = {&kRadius};

constexpr OperationEntry kRows[] = {
    {.menuId = 40035,
     .menuPath = "&Action > Hough Transforms > Circles > Show Hough Space",
     .menuSummary = "one radius plane of the circle Hough space",
     .command = "circle-space",
     .commandSummary = "one radius plane of the circle Hough space",
     .kind = EntryKind::Operation,
     .options = kSpaceOptions,
     .run = Space},
    {.menuId = 40036,
     .menuPath = "&Action > Hough Transforms > Circles > Detect Circles (show circles only)",
     .menuSummary = "detected small circles on black",
     .command = "circles",
     .commandSummary = "detected small circles on black",
     .kind = EntryKind::Operation,
     .run = Circles},
    {.menuId = 40037,
     .menuPath = "&Action > Hough Transforms > Circles > Detect Circles (superimpose on original)",
     .menuSummary = "detected small circles over the image",
     .command = "circles-superimposed",
     .commandSummary = "detected small circles over the image",
     .kind = EntryKind::Operation,
     .run = CirclesSuperimposed},
    {.menuId = 40038,
     .menuPath = "&Action > Hough Transforms > Circles > Detect circles using direction info",
     .menuSummary = "circles from direction-checked votes, over the image",
     .command = "circles-direction",
     .commandSummary = "circles from direction-checked votes, over the image",
     .kind = EntryKind::Operation,
     .run = CirclesByDirection},
};

}  // namespace

std::span<const OperationEntry> CircleHough() { return kRows; }

}  // namespace lumagrove::rows
