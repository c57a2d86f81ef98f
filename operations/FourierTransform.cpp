#include "frequency/FrequencyFilters.h"
#include "operations/FrequencyResult.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Run(ImageView source, const OperationArguments&, const Reporter& report) {
    return FrequencyResult(lumagrove::FourierSpectrum(source, report), source);
}

constexpr OperationEntry kRows[] = {
    {.menuId = 40016,
     .menuPath = "&Action > Fourier Transform > Show",
     .menuSummary = "picture of the Fourier magnitudes (low frequencies in the corners)",
     .command = "spectrum",
     .commandSummary = "picture of the Fourier magnitudes (low frequencies in the corners)",
     .kind = EntryKind::Operation,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> FourierSpectrum() { return kRows; }

}  // namespace lumagrove::rows
