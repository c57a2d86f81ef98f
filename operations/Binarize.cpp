#include "imaging/PointOperations.h"
#include "operations/OperationTable.h"
#include "operations/ThresholdOption.h"

namespace lumagrove::rows {
namespace {

OperationResult Run(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(lumagrove::Binarize(source, arguments.threshold), source);
}

constexpr const OptionDescriptor* kOptions[] = {&kThreshold};

constexpr OperationEntry kRows[] = {
    {.menuId = 40009,
     .menuPath = "&Action > Binarize",
     .menuSummary = "white above the threshold, black elsewhere",
     .command = "binarize",
     .commandSummary = "white above the threshold, black elsewhere",
     .kind = EntryKind::Operation,
     .options = kOptions,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> Binarize() { return kRows; }

}  // namespace lumagrove::rows
