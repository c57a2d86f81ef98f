#pragma once

#include <string>
#include <vector>

namespace lumagrove::shell {

// Reads files by the last three characters of their names ("pgm", "xyz", else
// raw intensity) and opens a window for every image read; an XYZ file only
// shows its sample point. The files are read one after the other on a thread
// of their own, each window opening before the next file is read: windows
// open in the order of the names, and no file, however large, holds up the
// main thread. Returns at once.
void LoadImageFiles(std::vector<std::string> names);
void LoadImageFile(const std::string& name);

}  // namespace lumagrove::shell
