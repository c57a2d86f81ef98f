#pragma once

#include <string>

#include "platform/Message.h"

namespace lumagrove::shell {

inline constexpr char kControlWindowClass[] = "Lumagrove";

platform::Result ControlWindowProc(platform::Window window, platform::Msg message, platform::WordParam word,
                                   platform::LongParam data);

// Start-up on the main thread: the control window, then the file named on the
// command line, if any.
platform::Window StartControlWindow(const std::string& commandLine);

// The main thread's loop, until the control window goes; returns the exit code.
int RunMainLoop();

}  // namespace lumagrove::shell
