#include "imaging/Smoothing.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Run(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(SmoothUniform(source, arguments.uniformWindow), source);
}

constexpr OptionDescriptor kWindow{.flag = "--window",
                                   .valueName = "N",
                                   .field = IntegerField{&OperationArguments::uniformWindow, 1},
                                   .help = "side of the square window the mean is taken over"};
constexpr const OptionDescriptor* kOptions[] = {&kWindow};

constexpr OperationEntry kRows[] = {
    {.menuId = 40005,
     .menuPath = "&Action > Smoothing > Uniform",
     .menuSummary = "box mean over a square window (the menu uses 5)",
     .command = "uniform",
     .commandSummary = "box mean over a square window",
     .kind = EntryKind::Operation,
     .options = kOptions,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> UniformSmoothing() { return kRows; }

}  // namespace lumagrove::rows
