#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Message.h"

namespace lumagrove::shell {

// Reads files by the last three characters of their names ("pgm", "xyz", else
// raw intensity) and opens a window for every image read; an XYZ file only
// shows its sample point. The files are read one after the other on a thread
// of their own, each window opening before the next file is read: windows
// open in the order of the names, and no file, however large, holds up the
// main thread. Returns at once.
void LoadImageFiles(std::vector<std::string> names);
void LoadImageFile(const std::string& name);

// The file dialogs, owned by `owner`. Both start from, and update, the name
// last chosen in either. Nothing on cancel.
std::optional<std::string> AskOpenFileName(platform::Window owner);
std::optional<std::string> AskSaveFileName(platform::Window owner);

}  // namespace lumagrove::shell
