#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "base/Reporter.h"

namespace lumagrove {

// Puts a file's whole content into `file` and says whether it could. It must
// not close the stream, and must not count on a descriptor behind it: where
// the content is made in memory first, fileno(file) is -1.
using ContentWriter = std::function<bool(std::FILE* file)>;

// Saves a file under `name` without harming what the save has no right to:
// - a symbolic link is followed, and the file it names (or would name) is
//   saved by these same rules; the link stays a link;
// - a new file, or a plain file with one name, is replaced at once by a
//   complete new file, which keeps the old one's permission bits, and its
//   owner and group where the caller may set them;
// - anything else (a FIFO, a device, a file with several names) is written
//   in place and stays what it is; such a regular file gets its new content
//   only once the space for all of it is claimed, so a full disk or a file
//   size limit leaves its old content whole;
// - a target the caller could not open for writing (a read-only file, a
//   folder, a path through a missing folder) is left as it is, with "File: %s
//   could not be opened for writing.";
// - a failed write or close reports "File: %s could not be written."; a file
//   that was to be replaced then survives unchanged.
// Each message goes on with the reason where one is known ("No space is left
// on the device.").
// Returns 1 on success and 0 after reporting.
int SaveFile(const std::string& name, const Reporter& report, const ContentWriter& write);

}  // namespace lumagrove
