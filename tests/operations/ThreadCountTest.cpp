#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Bands.h"
#include "operations/OperationTable.h"
#include "session/RunEntry.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

struct Outcome {
    bool finished = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;

    bool operator==(const Outcome&) const = default;
};

Outcome RunWithThreads(const OperationEntry& entry, const testing::TestImage& image, std::int32_t threads) {
    SetThreadCount(threads);
    OperationArguments arguments;
    arguments.upX = image.width - 1;  // a selection of the whole image, for the operations on one
    arguments.upY = image.height - 1;
    const session::EntryRun run =
        session::RunEntry(entry, ImageView{image.pixels, image.width, image.height}, arguments, [](const Message&) {});
    if (!run.result) return {run.finished, 0, 0, {}};
    return {run.finished, run.result->width, run.result->height, testing::ToVector(run.result->pixels)};
}

// Disks of radius 5 to 11 all over, for the circle operations to find at
// every band boundary.
testing::TestImage WithDisks(testing::TestImage image) {
    for (std::int32_t cy = 20; cy < image.height - 20; cy += 37) {
        for (std::int32_t cx = 20; cx < image.width - 20; cx += 41) {
            const std::int32_t radius = 5 + (cx + cy) % 7;
            for (std::int32_t y = cy - radius; y <= cy + radius; ++y) {
                for (std::int32_t x = cx - radius; x <= cx + radius; ++x) {
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) image.at(x, y) = 255;
                }
            }
        }
    }
    return image;
}

// Where the bands start and end depends on the load; the bytes must not.
// The sides are odd so that no band split falls evenly, and one size is
// large enough for several bands.
TEST(ThreadCount, EveryOperationGivesTheSameBytesOnAnyNumberOfThreads) {
    const std::vector<testing::TestImage> images = {testing::StructuredImage(1, 769, 1),
                                                    testing::StructuredImage(769, 1, 2), testing::RandomImage(7, 5, 3),
                                                    WithDisks(testing::StructuredImage(1023, 769, 4))};
    for (const OperationEntry& entry : OperationTable()) {
        if (entry.run == nullptr) continue;
        for (const testing::TestImage& image : images) {
            SCOPED_TRACE(std::string(entry.command) + " on " + std::to_string(image.width) + " x " +
                         std::to_string(image.height));
            const Outcome single = RunWithThreads(entry, image, 1);
            for (const std::int32_t threads : {2, 3, 8}) EXPECT_TRUE(RunWithThreads(entry, image, threads) == single);
        }
    }
    SetThreadCount(0);
}

}  // namespace
}  // namespace lumagrove
