#pragma once

#include "formats/ImageRecord.h"
#include "platform/Message.h"

namespace lumagrove::shell {

// Runs the menu command in the low 16 bits of `command` for an image window,
// on that window's thread: a parameter dialog first where the command has
// one, then the operation on a copy of the record's pixels. A result opens in
// a new window titled "Processed Image", and the time taken is added to the
// control window's "Performance data:" list. The source record is not changed.
void DispatchCommand(platform::Window window, platform::WordParam command, const ImageRecord& source);

}  // namespace lumagrove::shell
