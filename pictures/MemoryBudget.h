#pragma once

#include <cstdint>

#include "pictures/Decoders.h"

namespace lumagrove::pictures {

// Bytes this process may still allocate: the least of the machine's
// available memory, the room left under its control group's limit and under
// its own address-space and data limits. Linux promises memory it may not
// have, so a failed allocation cannot be relied on to say "too big".
std::uint64_t AvailableMemory();

// Whether a picture of this size can be decoded: an image here holds at most
// 2^31 - 1 pixels, and the grey result plus `workingBytes` of the decoder's
// own buffers must fit in the available memory.
DecodeOutcome CheckPictureSize(std::uint64_t width, std::uint64_t height, std::uint64_t workingBytes);

}  // namespace lumagrove::pictures
