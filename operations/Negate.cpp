#include "imaging/PointOperations.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Run(ImageView source, const OperationArguments&, const Reporter&) {
    return ImageResult(lumagrove::Negate(source), source);
}

constexpr OperationEntry kRows[] = {
    {.menuId = 40003,
     .menuPath = "&Action > Negate",
     .menuSummary = "invert every gray level (255 - v)",
     .command = "negate",
     .commandSummary = "invert every gray level (255 - v)",
     .kind = EntryKind::Operation,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> Negate() { return kRows; }

}  // namespace lumagrove::rows
