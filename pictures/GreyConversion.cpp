#include "pictures/GreyConversion.h"

namespace lumagrove::pictures {

GreyPalette GreyOfPalette(const PaletteEntry* entries, int count) {
    GreyPalette grey{};
    for (int i = 0; i < count && i < 256; ++i) {
        const PaletteEntry& e = entries[i];
        grey[i] = Luma(OverWhite(e.red, e.alpha), OverWhite(e.green, e.alpha), OverWhite(e.blue, e.alpha));
    }
    return grey;
}

}  // namespace lumagrove::pictures
