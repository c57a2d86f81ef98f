#pragma once

#include <memory>

#include "formats/ImageRecord.h"
#include "operations/OperationTable.h"
#include "platform/Message.h"

namespace lumagrove::shell {

// Runs an operation entry of the menu for an image window, on that window's
// thread: its parameter dialog first where it has one (Cancel runs nothing),
// then the operation on a copy of the record's pixels with the process's
// settings and the window's selection. The time taken, dialog included, is
// added to the control window's "Performance data:" list. Returns the result,
// titled "Processed Image", for a window of its own; nothing when there is
// none. The source record is not changed.
std::unique_ptr<ImageRecord> RunMenuOperation(platform::Window window, const OperationEntry& entry,
                                              const ImageRecord& source);

}  // namespace lumagrove::shell
