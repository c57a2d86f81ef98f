#include "frequency/FrequencyFilters.h"
#include "operations/AreaOptions.h"
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

// The selection's corners are the mouse's down and up points; an empty
// selection leaves the image as it is (the desktop asks for one first).
OperationResult LocalHighPass(ImageView source, const OperationArguments& arguments, const Reporter& report) {
    return FrequencyResult(lumagrove::LocalHighPass(source, arguments.cutoffX, arguments.cutoffY, arguments.downX,
                                                    arguments.downY, arguments.upX, arguments.upY, report),
                           source);
}

OperationResult LocalLowPass(ImageView source, const OperationArguments& arguments, const Reporter& report) {
    return FrequencyResult(lumagrove::LocalLowPass(source, arguments.cutoffX, arguments.cutoffY, arguments.downX,
                                                   arguments.downY, arguments.upX, arguments.upY, report),
                           source);
}

constexpr OptionDescriptor kCutoff{.flag = "--cutoff",
                                   .valueName = "X,Y",
                                   .field = PointField{&OperationArguments::cutoffX, &OperationArguments::cutoffY},
                                   .help = "point whose distance from the corner is the filter's radius"};
constexpr const OptionDescriptor* kOptions[] = {&kCutoff};
constexpr const OptionDescriptor* kLocalOptions[] = {&kFrom, &kTo, &kCutoff};

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
     .menuSummary = "ideal high-pass filter on the selected rectangle alone, its sides in the radius rule; the rest "
                    "unchanged (select first, then click the cut-off point in another window)",
     .command = "highpass-local",
     .commandSummary = "ideal high-pass filter on the rectangle from --from to --to alone, radius from the --cutoff "
                       "point; the rest unchanged",
     .kind = EntryKind::Operation,
     .options = kLocalOptions,
     .run = LocalHighPass},
    {.menuId = 40020,
     .menuPath = "&Action > Fourier Transform > Local low pass filter",
     .menuSummary = "ideal low-pass filter on the selected rectangle alone, its sides in the radius rule; the rest "
                    "unchanged (select first, then click the cut-off point in another window)",
     .command = "lowpass-local",
     .commandSummary = "ideal low-pass filter on the rectangle from --from to --to alone, radius from the --cutoff "
                       "point; the rest unchanged",
     .kind = EntryKind::Operation,
     .options = kLocalOptions,
     .run = LocalLowPass},
};

}  // namespace

std::span<const OperationEntry> FrequencyFilters() { return kRows; }

}  // namespace lumagrove::rows
