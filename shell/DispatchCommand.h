#pragma once

#include <memory>

#include "formats/ImageRecord.h"
#include "platform/Message.h"

namespace lumagrove::shell {

// Runs the menu command in the low 16 bits of `command` for an image window,
// on that window's thread: a parameter dialog first where the command has
// one, then the operation on a copy of the record's pixels. The time taken is
// added to the control window's "Performance data:" list. Returns the result
// titled "Processed Image" for the caller to open in a new window, or null
// when there is none. The source record is not changed.
std::unique_ptr<ImageRecord> DispatchCommand(platform::Window window, platform::WordParam command,
                                             const ImageRecord& source);

}  // namespace lumagrove::shell
