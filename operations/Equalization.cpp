#include "imaging/Equalization.h"
#include "operations/AreaOptions.h"
#include "operations/OperationTable.h"

namespace lumagrove::rows {
namespace {

OperationResult Global(ImageView source, const OperationArguments&, const Reporter&) {
    return ImageResult(EqualizeGlobal(source), source);
}

OperationResult SelectedArea(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(
        EqualizeArea(source, source.pixels.data(), arguments.downX, arguments.downY, arguments.upX, arguments.upY),
        source);
}

OperationResult FourAreas(ImageView source, const OperationArguments&, const Reporter&) {
    return ImageResult(EqualizeFourAreas(source), source);
}

OperationResult SixteenAreas(ImageView source, const OperationArguments&, const Reporter&) {
    return ImageResult(EqualizeSixteenAreas(source), source);
}

constexpr const OptionDescriptor* kAreaOptions[] = {&kFrom, &kTo};

// Show histogram makes no image: the desktop opens a window of its own for
// it, and the command line has the histogram command (not a row: it writes
// no image).
constexpr OperationEntry kRows[] = {
    {.menuId = 40008,
     .menuPath = "&Action > Histogram equalization > Show histogram",
     .menuSummary = "a window with the histogram of the image, or of its selection, and its statistics",
     .kind = EntryKind::ShowHistogram},
    {.menuId = 40010,
     .menuPath = "&Action > Histogram equalization > Global",
     .menuSummary = "equalize the histogram of the whole image",
     .command = "equalize",
     .commandSummary = "equalize the histogram of the whole image",
     .kind = EntryKind::Operation,
     .run = Global},
    {.menuId = 40011,
     .menuPath = "&Action > Histogram equalization > Selected Area",
     .menuSummary = "equalize the histogram inside the selected rectangle",
     .command = "equalize-area",
     .commandSummary = "equalize the histogram inside the rectangle from --from to --to",
     .kind = EntryKind::Operation,
     .options = kAreaOptions,
     .run = SelectedArea},
    {.menuId = 40012,
     .menuPath = "&Action > Histogram equalization > Equalize 4 Areas",
     .menuSummary = "equalize each quarter of the image on its own",
     .command = "equalize-4",
     .commandSummary = "equalize each quarter of the image on its own",
     .kind = EntryKind::Operation,
     .run = FourAreas},
    {.menuId = 40013,
     .menuPath = "&Action > Histogram equalization > Equalize 16 Areas",
     .menuSummary = "equalize each of 4 x 4 areas on its own",
     .command = "equalize-16",
     .commandSummary = "equalize each of 4 x 4 areas on its own",
     .kind = EntryKind::Operation,
     .run = SixteenAreas},
};

}  // namespace

std::span<const OperationEntry> Equalization() { return kRows; }

}  // namespace lumagrove::rows
