#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/Bands.h"
#include "imaging/Median.h"
#include "imaging/SelectionNetwork.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::AwkwardSizes;
using testing::RandomImage;
using testing::StructuredImage;
using testing::TestImage;
using testing::ToVector;

// Straight from the description: gather the window with every place beyond
// an edge taking the nearest edge pixel, sort it, take the middle value.
std::vector<std::uint8_t> ReferenceMedian(const TestImage& image, int window) {
    const int radius = window / 2;
    std::vector<std::uint8_t> output(image.pixels.size());
    std::vector<std::uint8_t> values;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            values.clear();
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int sx = std::clamp(x + dx, 0, image.width - 1);
                    const int sy = std::clamp(y + dy, 0, image.height - 1);
                    values.push_back(image.pixels[static_cast<std::size_t>(sy) * image.width + sx]);
                }
            }
            std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
            output[static_cast<std::size_t>(y) * image.width + x] = values[values.size() / 2];
        }
    }
    return output;
}

std::vector<std::uint8_t> Median(const TestImage& image, int window) {
    return ToVector(MedianFilter(ImageView{image.pixels, image.width, image.height}, window));
}

// Few levels make many ties, where a selection that loses track of equal
// values would show.
TestImage FewLevels(int width, int height, std::uint32_t seed) {
    TestImage image = RandomImage(width, height, seed);
    for (auto& pixel : image.pixels) pixel = static_cast<std::uint8_t>(pixel / 64 * 85);
    return image;
}

// The networks (3 and 5), the sliding histogram (7 to 23) and the
// constant-time histograms (25 on) on images smaller than the window, as thin
// as one pixel, and larger.
TEST(Median, MatchesTheReferenceOnEverySizeAndWindow) {
    std::uint32_t seed = 7;
    for (const auto& [width, height] : AwkwardSizes()) {
        if (width * height > 64 * 64) continue;
        for (const TestImage& image : {RandomImage(width, height, seed), StructuredImage(width, height, seed + 1),
                                       FewLevels(width, height, seed)}) {
            for (const int window : {1, 3, 5, 7, 9, 15, 25}) {
                EXPECT_EQ(Median(image, window), ReferenceMedian(image, window))
                    << width << "x" << height << " window " << window;
            }
        }
        seed += 2;
    }
}

// Rows wider than one pass of the networks, ending part way into a pass.
TEST(Median, MatchesTheReferenceAcrossNetworkPasses) {
    const TestImage image = RandomImage(131, 9, 3);
    for (const int window : {3, 5}) EXPECT_EQ(Median(image, window), ReferenceMedian(image, window)) << window;
}

// A window many times the image's size is counted, not walked: every place
// beyond the edges weighs on the median through the edge pixels.
TEST(Median, WindowsFarLargerThanTheImage) {
    const TestImage image = RandomImage(5, 4, 11);
    for (const int window : {31, 101}) EXPECT_EQ(Median(image, window), ReferenceMedian(image, window)) << window;
    const TestImage tall = StructuredImage(3, 40, 12);
    EXPECT_EQ(Median(tall, 301), ReferenceMedian(tall, 301));
    // What no caller should pass still reads nothing outside the image.
    EXPECT_EQ(Median(tall, 0), tall.pixels);
    EXPECT_EQ(Median(tall, -7), tall.pixels);
    EXPECT_EQ(Median(tall, 4), ReferenceMedian(tall, 5));
}

// Each band of rows starts its column histograms afresh.
TEST(Median, GivesTheSameBytesOnAnyNumberOfThreads) {
    const TestImage image = RandomImage(64, 2100, 9);
    for (const int window : {5, 11, 41}) {
        SetThreadCount(1);
        const std::vector<std::uint8_t> single = Median(image, window);
        for (const int threads : {2, 3}) {
            SetThreadCount(threads);
            EXPECT_EQ(Median(image, window), single) << window << " on " << threads << " threads";
        }
    }
    SetThreadCount(0);
}

TEST(Median, KeepsEdgesAndRemovesIsolatedSpecks) {
    TestImage image = StructuredImage(40, 30, 5);
    const std::vector<std::uint8_t> clean = Median(image, 3);
    image.at(20, 15) = static_cast<std::uint8_t>(255 - image.at(20, 15));
    EXPECT_EQ(Median(image, 3), clean);
}

// A network of minima and maxima that is right for every input of zeros and
// ones is right for every input (a threshold commutes with it), so these
// cover every image the networks will ever see.
std::vector<int> Through(const SelectionNetwork& network, std::vector<int> slots) {
    for (std::size_t c = 0; c < network.size; ++c) {
        const Comparator comparator = network.comparators[c];
        const int low = std::min(slots[comparator.low], slots[comparator.high]);
        const int high = std::max(slots[comparator.low], slots[comparator.high]);
        if (comparator.keep != Comparator::Keep::High) slots[comparator.low] = low;
        if (comparator.keep != Comparator::Keep::Low) slots[comparator.high] = high;
    }
    return slots;
}

TEST(SelectionNetwork, RightForEveryInputOfZerosAndOnes) {
    for (const int side : {3, 5}) {
        const SelectionNetwork sort = SortingNetwork(side);
        for (int bits = 0; bits < (1 << side); ++bits) {
            std::vector<int> values(static_cast<std::size_t>(side));
            for (int i = 0; i < side; ++i) values[i] = (bits >> i) & 1;
            const std::vector<int> slots = Through(sort, values);
            std::sort(values.begin(), values.end());
            for (int rank = 0; rank < side; ++rank) EXPECT_EQ(slots[sort.outputs[rank]], values[rank]) << side;
        }
        // Each sorted list of zeros and ones is its number of ones.
        const SelectionNetwork median = MedianOfSortedLists(side);
        std::vector<int> ones(static_cast<std::size_t>(side), 0);
        for (bool more = true; more;) {
            std::vector<int> slots;
            int total = 0;
            for (const int count : ones) {
                for (int i = 0; i < side; ++i) slots.push_back(i >= side - count ? 1 : 0);
                total += count;
            }
            EXPECT_EQ(Through(median, slots)[median.outputs[0]], total > side * side / 2 ? 1 : 0) << side;
            more = false;
            for (int& count : ones) {
                if (++count <= side) {
                    more = true;
                    break;
                }
                count = 0;
            }
        }
    }
}

}  // namespace
}  // namespace lumagrove
