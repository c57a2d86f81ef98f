#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

// Offered by the menu, as it always was, without an operation behind it yet.
constexpr OperationEntry kRows[] = {
    {.menuId = 40006,
     .menuPath = "&Action > Smoothing > Median",
     .menuSummary = "in the menu, does nothing",
     .kind = EntryKind::NoAction},
};

}  // namespace

std::span<const OperationEntry> Median() { return kRows; }

}  // namespace lumagrove::rows
