#include "imaging/EdgeDetection.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Gradient(ImageView source, const OperationArguments&, const Reporter&) {
    return ImageResult(GradientImage(source), source);
}

OperationResult ByGradient(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(EdgesByGradient(source, arguments.gradientThreshold), source);
}

OperationResult ByDirection(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(EdgesByDirection(source, arguments.gradientThreshold, arguments.gradientDirection), source);
}

constexpr OptionDescriptor kThreshold{.flag = "--threshold",
                                      .valueName = "N",
                                      .field = IntegerField{&OperationArguments::gradientThreshold},
                                      .help = "gradient magnitude / 8 an edge must exceed (a step of 100 gives 50)"};
constexpr OptionDescriptor kDirection{
    .flag = "--direction",
    .valueName = "D",
    .field = IntegerField{&OperationArguments::gradientDirection},
    .help = "gradient direction in degrees; edges within 10 degrees of it, either way, are kept"};
constexpr const OptionDescriptor* kGradientOptions[] = {&kThreshold};
constexpr const OptionDescriptor* kDirectionOptions[] = {&kThreshold, &kDirection};

constexpr OperationEntry kRows[] = {
    {.menuId = 40021,
     .menuPath = "&Action > Edge Detection > Show Gradient image",
     .menuSummary = "Sobel gradient magnitude / 8 (a step from 0 to 100 shows as 50)",
     .command = "gradient",
     .commandSummary = "Sobel gradient magnitude / 8 (a step from 0 to 100 shows as 50)",
     .kind = EntryKind::Operation,
     .run = Gradient},
    {.menuId = 40023,
     .menuPath = "&Action > Edge Detection > Find Edges using Gradient info",
     .menuSummary = "edge map: gradient magnitude / 8 above the threshold (asks first)",
     .command = "edges",
     .commandSummary = "edge map: gradient magnitude / 8 above the threshold",
     .kind = EntryKind::Operation,
     .dialog = ParameterDialog::EdgeParameters,
     .options = kGradientOptions,
     .run = ByGradient},
    {.menuId = 40024,
     .menuPath = "&Action > Edge Detection > Find Edges using direction of Gradient",
     .menuSummary = "edge map: strong gradients near the given direction (asks first)",
     .command = "edges-direction",
     .commandSummary = "edge map: strong gradients near the given direction",
     .kind = EntryKind::Operation,
     .dialog = ParameterDialog::EdgeParameters,
     .options = kDirectionOptions,
     .run = ByDirection},
};

}  // namespace

std::span<const OperationEntry> EdgeDetection() { return kRows; }

}  // namespace lumagrove::rows
