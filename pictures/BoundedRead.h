#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Reading content whose end may never come: a pipe, a device, standard
// input. Its first bytes say what it is and how large it can be, and no more
// than that is read, so an endless stream costs no more than a file of the
// size its header declares.
namespace lumagrove {

// The most bytes content starting with `head` can hold, as far as `head`
// tells. Content of no format read here: the length of `head`, as nothing
// more is worth reading. Content whose size is not yet in `head`:
// kLengthNotYetDeclared, and reading goes on up to kUndeclaredAllowance.
using DeclaredLength = std::uint64_t (*)(std::span<const std::uint8_t> head);
inline constexpr std::uint64_t kLengthNotYetDeclared = UINT64_MAX;
inline constexpr std::uint64_t kUndeclaredAllowance = std::uint64_t{64} << 20;

// What a picture's first bytes declare (PNG, JPEG, TIFF, BMP, WebP): a
// compressed picture is no larger than twice its pixels' bytes, plus room for
// its metadata; an uncompressed one no larger than its pixels and headers.
std::uint64_t PictureLengthDeclared(std::span<const std::uint8_t> head);

// Puts into `into` up to `size` bytes, fewer only at the end or on a failure.
using ReadSome = std::function<std::size_t(std::uint8_t* into, std::size_t size)>;

enum class BoundedRead { Done, OutOfMemory };

// Reads into `bytes` the first bytes (the signature) and then on, up to the
// length they declare. Whether the source failed is for the caller to ask.
// OutOfMemory when the declared length does not fit in the available memory.
// `knownSize`, the size of a regular file (0: not known), lets the bytes be
// held in one block from the start rather than regrown, copied, as they come.
BoundedRead ReadBounded(const ReadSome& read, DeclaredLength declared, std::vector<std::uint8_t>& bytes,
                        std::uint64_t knownSize = 0);

}  // namespace lumagrove
