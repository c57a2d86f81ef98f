#include <string>

#include "imaging/Median.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

// The desktop's dialog refuses even sizes but takes any odd number it can
// read, 1 included, which gives a copy; whatever else reaches here is
// refused rather than guessed at.
OperationResult Run(ImageView source, const OperationArguments& arguments, const Reporter& report) {
    if (arguments.windowSize < 1 || arguments.windowSize % 2 == 0) {
        report({"Window size must be an odd number, not " + std::to_string(arguments.windowSize) + ".", "Error",
                MessageIcon::None});
        return {OperationOutcome::Refused, {}, 0, 0};
    }
    return ImageResult(MedianFilter(source, arguments.windowSize), source);
}

constexpr OptionDescriptor kWindow{
    .flag = "--window",
    .valueName = "N",
    .field = IntegerField{.value = &OperationArguments::windowSize, .minimum = 3, .oddOnly = true},
    .help = "side of the square window the median is taken over: odd, 3 or more"};
constexpr const OptionDescriptor* kOptions[] = {&kWindow};

constexpr OperationEntry kRows[] = {
    {.menuId = 40006,
     .menuPath = "&Action > Smoothing > Median",
     .menuSummary = "median over a square window, edges replicated (asks for its parameters first: Window Size)",
     .command = "median",
     .commandSummary = "median over a square window, edges replicated",
     .kind = EntryKind::Operation,
     .dialog = ParameterDialog::Parameters,
     .options = kOptions,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> Median() { return kRows; }

}  // namespace lumagrove::rows
