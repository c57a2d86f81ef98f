#pragma once

#include <cstdint>

#include "pictures/Decoders.h"

namespace lumagrove::pictures {

// Bytes this process may still allocate: the least of the machine's
// available memory, the room left under its control group's limit (cgroup v2
// or v1) and under its own address-space and data limits (ulimit -v, -d).
// Linux promises memory it may not have, so a failed allocation cannot be
// relied on to say "too big".
std::uint64_t AvailableMemory();

// Caps AvailableMemory() at `most` bytes from now on (UINT64_MAX lifts the
// cap). For the fuzzers, whose sanitizer refuses large allocations in a way
// this process cannot see: the decoders then meet the same refusals as on a
// machine with that little room.
void CapAvailableMemory(std::uint64_t most);

// What a sound picture of the declared size needs to decode: `pixels` of
// grey result and `workingBytes` of the decoder's buffers for that size, with
// a margin for the libraries' own bookkeeping. A file asking for more than
// that is damaged or hostile, whatever the machine has.
std::uint64_t DecodeNeeds(std::uint64_t pixels, std::uint64_t workingBytes);

// What one decode may allocate in all: what it needs, never more than is
// available. One hostile file then takes no more than a sound picture of its
// declared size would, not all the machine has.
std::uint64_t DecodeBudget(std::uint64_t pixels, std::uint64_t workingBytes);

// Whether a picture of this size can be decoded: an image here holds at most
// 2^31 - 1 pixels, and the grey result plus `workingBytes` of the decoder's
// own buffers must fit in the available memory.
DecodeOutcome CheckPictureSize(std::uint64_t width, std::uint64_t height, std::uint64_t workingBytes);

}  // namespace lumagrove::pictures
