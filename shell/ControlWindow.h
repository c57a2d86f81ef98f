#pragma once

#include <string>

#include "platform/Message.h"

namespace lumagrove::shell {

inline constexpr char kControlWindowClass[] = "Lumagrove";

platform::Result ControlWindowProc(platform::Window window, platform::Msg message, platform::WordParam word,
                                   platform::LongParam data);

// Start-up on the main thread: the control window, the file named on the
// command line (if any), then the main loop until the control window goes.
// Returns the exit code.
int RunLumagrove(const std::string& commandLine);

}  // namespace lumagrove::shell
