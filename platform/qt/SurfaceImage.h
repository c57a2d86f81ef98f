#pragma once

#include <QImage>

#include "platform/Surface.h"

namespace lumagrove::platform {

struct Surface::Image {
    QImage pixels;  // 32-bit RGB
};

}  // namespace lumagrove::platform
