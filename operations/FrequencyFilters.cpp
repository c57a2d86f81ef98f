#include "frequency/FrequencyFilters.h"
#include "operations/FrequencyResult.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult HighPass(ImageView source, const OperationArguments& arguments, const Reporter& report) {
    return FrequencyResult(GlobalHighPass(source, arguments.cutoffX, arguments.cutoffY, report), source);
}

OperationResult LowPass(ImageView source, const OperationArguments& arguments, const Reporter& report) {
    return FrequencyResult(GlobalLowPass(source, arguments.cutoffX, arguments.cutoffY, report), source);
}

constexpr OptionDescriptor kCutoff{.flag = "--cutoff",
                                   .valueName = "X,Y",
                                   .field = PointField{&OperationArguments::cutoffX, &OperationArguments::cutoffY},
                                   .help = "point whose distance from the corner is the filter's radius"};
constexpr const OptionDescriptor* kOptions[] = {&kCutoff};

// The local filters are offered by the menu without an operation behind them.
constexpr OperationEntry kRows[] = {
    {.menuId = 40017,
     .menuPath = "&Action > Fourier Transform > Global high pass filter",
     .menuSummary = "ideal high-pass filter, radius from the cut-off point",
     .command = "highpass",
     .commandSummary = "ideal high-pass filter, radius from the --cutoff point",
     .kind = EntryKind::Operation,
     .options = kOptions,
     .run = HighPass},
    {.menuId = 40018,
     .menuPath = "&Action > Fourier Transform > Global low pass filter",
     .menuSummary = "ideal low-pass filter, radius from the cut-off point",
     .command = "lowpass",
     .commandSummary = "ideal low-pass filter, radius from the --cutoff point",
     .kind = EntryKind::Operation,
     .options = kOptions,
     .run = LowPass},
    {.menuId = 40019,
     .menuPath = "&Action > Fourier Transform > Local high pass filter",
     .menuSummary = "in the menu, does nothing",
     .kind = EntryKind::NoAction},
    {.menuId = 40020,
     .menuPath = "&Action > Fourier Transform > Local low pass filter",
     .menuSummary = "in the menu, does nothing",
     .kind = EntryKind::NoAction},
};

}  // namespace

std::span<const OperationEntry> FrequencyFilters() { return kRows; }

}  // namespace lumagrove::rows
