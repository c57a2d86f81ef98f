#pragma once

#include <memory>

#include "formats/ImageRecord.h"
#include "platform/Message.h"
#include "platform/Threads.h"

namespace lumagrove::shell {

inline constexpr char kImageWindowClass[] = "Image Window";

// Opens a window for the record on the calling thread and runs it until the
// window closes or every image window is told to close. Takes over the record.
// The window was counted as open by whoever started the thread. `opened` is
// set once the window is on screen, or could not be made.
void ImageWindowThread(std::unique_ptr<ImageRecord> record, platform::ManualResetEvent opened);

// Counts a new image window and starts ImageWindowThread for it on a thread of
// its own, without waiting for it.
void StartImageWindow(std::unique_ptr<ImageRecord> record,
                      platform::ManualResetEvent opened = platform::ManualResetEvent());

platform::Result ImageWindowProc(platform::Window window, platform::Msg message, platform::WordParam word,
                                 platform::LongParam data);

}  // namespace lumagrove::shell
