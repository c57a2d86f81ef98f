#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

// Each pixel drops to the lowest level of its band, the bands being 256 / N
// gray levels wide.
OperationResult Run(ImageView source, const OperationArguments& arguments, const Reporter&) {
    PixelArray result(source.pixels.size());
    const int band = 256 / arguments.posterizeLevels;
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<std::uint8_t>(source.pixels[i] / band * band);
    }
    return ImageResult(std::move(result), source);
}

constexpr OptionDescriptor kLevels{.flag = "--levels",
                                   .valueName = "N",
                                   .field = IntegerField{&OperationArguments::posterizeLevels, 2, 256},
                                   .help = "number of gray levels left"};
constexpr const OptionDescriptor* kOptions[] = {&kLevels};

constexpr OperationEntry kRows[] = {
    {.menuId = 40040,
     .menuPath = "&Action > Posterize",
     .menuSummary = "keep only a few gray levels",
     .command = "posterize",
     .commandSummary = "keep only a few gray levels",
     .kind = EntryKind::Operation,
     .options = kOptions,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> Posterize() { return kRows; }

}  // namespace lumagrove::rows
