#pragma once

#include "formats/SafeSave.h"

namespace lumagrove {

// Puts a whole new content into the regular file open for writing on
// `descriptor`, keeping the file itself (the inode all its names share). The
// content is made in memory first, so that the space it needs is claimed
// before the first old byte is overwritten: a full disk, a used-up quota or a
// file size limit then leaves the old content whole. False, with errno set (0
// when the writer failed without one), if it could not.
bool OverwriteInPlace(int descriptor, const ContentWriter& write);

}  // namespace lumagrove
