#include "pictures/BoundedRead.h"

#include <algorithm>

#include "pictures/MemoryBudget.h"
#include "pictures/Pictures.h"

namespace lumagrove {

BoundedRead ReadBounded(const ReadSome& read, DeclaredLength declared, std::vector<std::uint8_t>& bytes,
                        std::uint64_t knownSize) {
    constexpr std::uint64_t kChunk = std::uint64_t{1} << 20;
    bytes.clear();
    std::uint64_t limit = kSignatureLength;
    for (;;) {
        const std::uint64_t at = bytes.size();
        const std::uint64_t want = std::min(kChunk, limit - std::min(limit, at));
        if (want == 0) return BoundedRead::Done;
        if (at + want > pictures::AvailableMemory()) return BoundedRead::OutOfMemory;
        bytes.resize(static_cast<std::size_t>(at + want));
        const std::size_t got = read(bytes.data() + at, static_cast<std::size_t>(want));
        bytes.resize(static_cast<std::size_t>(at) + got);
        if (got < want) return BoundedRead::Done;
        limit = declared(bytes);
        if (limit == kLengthNotYetDeclared) limit = kUndeclaredAllowance;
        // The read that meets the end asks for a chunk more.
        const std::uint64_t expected = std::min(limit, knownSize + kChunk);
        if (knownSize > 0 && expected > bytes.capacity() && expected <= pictures::AvailableMemory()) {
            bytes.reserve(static_cast<std::size_t>(expected));
        }
    }
}

}  // namespace lumagrove
