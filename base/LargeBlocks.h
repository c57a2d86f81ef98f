#pragma once

#include <cstddef>
#include <cstdint>

namespace lumagrove {

// Memory for whole images. A fresh block of many megabytes costs the kernel a
// fault and a zeroed page for every 4 KiB the first time it is written, which
// for a simple operation on a large image takes longer than the operation
// itself. So a large block comes from its own mapping with huge pages asked
// for, and a freed one is kept to serve a later request of about its size:
// the next call on an image of the same size finds its memory warm.
inline constexpr std::size_t kLargeBlockBytes = std::size_t{1} << 20;

// Under AddressSanitizer every array comes from its allocator instead: memory
// mapped here would be invisible to its checks of every access, and to the
// allocation limits the fuzz targets run with.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMAGROVE_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(LUMAGROVE_ADDRESS_SANITIZER)
inline constexpr bool kKeepsLargeBlocks = false;
#else
inline constexpr bool kKeepsLargeBlocks = true;
#endif

// At least `size` bytes, uninitialised, `capacity` set to what the block
// really holds. Throws std::bad_alloc when there is no memory.
std::uint8_t* AllocateLargeBlock(std::size_t size, std::size_t& capacity);
// Gives back a block AllocateLargeBlock returned, with its capacity.
void ReleaseLargeBlock(std::uint8_t* block, std::size_t capacity) noexcept;

}  // namespace lumagrove
