#pragma once

#include <cstdint>

#include "pictures/Decoders.h"

namespace lumagrove::pictures {

// The Orientation entry (1 to 8) of the first directory of a TIFF-structured
// block: the body of a JPEG's EXIF segment after "Exif\0\0", or a PNG eXIf
// chunk. 1 (as stored) when the block has none or is damaged.
int OrientationInExif(Bytes block);

// Turns the stored pixels into the way a viewer shows them:
// 2 mirrors left-right, 3 turns half round, 4 mirrors top-bottom,
// 5 transposes, 6 turns a quarter clockwise, 7 transposes the other way,
// 8 turns a quarter anticlockwise. 5 to 8 swap width and height.
// Other values leave the picture as it is. May throw std::bad_alloc.
void ApplyOrientation(DecodedPicture& picture);

}  // namespace lumagrove::pictures
