#pragma once

#include <memory>

#include "formats/ImageRecord.h"
#include "platform/Message.h"

namespace lumagrove::shell {

inline constexpr char kImageWindowClass[] = "Image Window";

// Opens a window for the record on the calling thread and runs it until the
// window closes or every image window is told to close. Takes over the record.
// The window was counted as open by whoever started the thread.
void ImageWindowThread(std::unique_ptr<ImageRecord> record);

// Counts a new image window and starts ImageWindowThread for it on a thread of
// its own, without waiting for it.
void StartImageWindow(std::unique_ptr<ImageRecord> record);

platform::Result ImageWindowProc(platform::Window window, platform::Msg message, platform::WordParam word,
                                 platform::LongParam data);

}  // namespace lumagrove::shell
