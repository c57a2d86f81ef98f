#pragma once

#include <optional>
#include <string>

#include "platform/Message.h"

namespace lumagrove::shell {

// Reads a file by the last three characters of its name ("pgm", "xyz", else
// raw intensity) on the calling thread, and opens a window for every image
// read. An XYZ file only shows its sample point.
void LoadImageFile(const std::string& name);

// The file dialogs, owned by `owner`. Both start from, and update, the name
// last chosen in either. Nothing on cancel.
std::optional<std::string> AskOpenFileName(platform::Window owner);
std::optional<std::string> AskSaveFileName(platform::Window owner);

}  // namespace lumagrove::shell
