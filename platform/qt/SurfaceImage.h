#pragma once

#include <memory>
#include <vector>

#include <QImage>

#include "platform/Surface.h"

namespace lumagrove::platform {

struct Surface::Image {
    QImage pixels;  // 8-bit grey
    // The picture halved again and again, for showing it reduced. Made when
    // the surface is first painted, on its own thread, and shared with the
    // windows that show it; dropped when a pixel changes.
    mutable std::shared_ptr<const std::vector<QImage>> reductions;

    const std::shared_ptr<const std::vector<QImage>>& reduced() const;
};

}  // namespace lumagrove::platform
