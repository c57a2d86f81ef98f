#include <gtest/gtest.h>

#include <cstdint>

#include "base/PixelArray.h"

namespace lumagrove {
namespace {

// The next image of a size finds the memory the last one freed, already
// mapped; an image far smaller does not pin it.
TEST(LargeBlocksTest, AFreedLargeArrayServesTheNextOfItsSizeOnly) {
    if (!kKeepsLargeBlocks) GTEST_SKIP() << "arrays come from the sanitizer's allocator in this build";
    constexpr std::size_t kSize = 3 * kLargeBlockBytes + 5;
    const std::uint8_t* first = nullptr;
    {
        PixelArray array(kSize);
        array[kSize - 1] = 7;  // the whole size is writable
        first = array.data();
    }
    const PixelArray small(kLargeBlockBytes);
    EXPECT_NE(small.data(), first);
    const PixelArray again(kSize - 100);
    EXPECT_EQ(again.data(), first);
    EXPECT_EQ(again.size(), kSize - 100);
}

}  // namespace
}  // namespace lumagrove
