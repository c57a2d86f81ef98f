#include "resources/DialogTemplate.h"

#include <cstdint>

#include "resources/ControlIds.h"

namespace lumagrove::resources {

int ScaleRounded(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t magnitude = ((product < 0 ? -product : product) + c / 2) / c;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

PixelRect ToPixels(const DialogRect& rect, BaseUnits units) {
    return PixelRect{ScaleRounded(rect.x, units.x, 4), ScaleRounded(rect.y, units.y, 8),
                     ScaleRounded(rect.width, units.x, 4), ScaleRounded(rect.height, units.y, 8)};
}

const ControlTemplate* DialogTemplate::control(int controlId) const {
    for (const ControlTemplate& item : controls) {
        if (item.id == controlId && controlId != NoControlId) return &item;
    }
    return nullptr;
}

}  // namespace lumagrove::resources
