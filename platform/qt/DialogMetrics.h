#pragma once

#include <cstddef>

#include <QFont>

#include "resources/DialogTemplate.h"

namespace lumagrove::platform::backend {

// The dialog's font: its face when the machine has it, else a sans-serif one
// of the same size.
QFont DialogFont(const resources::DialogTemplate& dialog);

// Base units from the font's metrics, as dialog units are defined: the
// average width of the 52 Latin letters, and the font's height.
resources::BaseUnits DialogBaseUnits(const resources::DialogTemplate& dialog);

// Where control `index` goes in the dialog's client area.
resources::PixelRect ControlGeometry(const resources::DialogTemplate& dialog, std::size_t index,
                                     resources::BaseUnits units);

}  // namespace lumagrove::platform::backend
