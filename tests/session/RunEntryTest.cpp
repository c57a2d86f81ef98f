#include <new>
#include <span>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "frequency/FftwPlanner.h"
#include "session/Messages.h"
#include "session/RunEntry.h"
#include "support/MessageLog.h"

namespace lumagrove::session {
namespace {

using testing::MessageLog;

ImageRecord Source(std::int32_t width, std::int32_t height) {
    ImageRecord record;
    record.width = width;
    record.height = height;
    record.pixels = PixelArray::Filled(static_cast<std::size_t>(width) * height, 40);
    record.title = "source.pgm";
    return record;
}

OperationEntry EntryRunning(OperationRunner run) {
    return {.menuId = 1, .menuPath = "Test > Entry", .kind = EntryKind::Operation, .run = run};
}

TEST(RunEntry, AResultComesAsARecordOfItsOwnSize) {
    const ImageRecord source = Source(5, 4);
    MessageLog log;
    const EntryRun run = RunEntry(*FindOperationByCommand("line-space"), source, OperationArguments{}, log.reporter());
    EXPECT_TRUE(run.finished);
    ASSERT_TRUE(run.result);
    EXPECT_EQ(run.result->width, 360);
    EXPECT_EQ(run.result->pixels.size(), static_cast<std::size_t>(run.result->width) * run.result->height);
    EXPECT_TRUE(run.result->title.empty());
    EXPECT_EQ(source.pixels[0], 40);  // the source is left as it was
    EXPECT_TRUE(log.messages.empty());
}

// A refusal does not count as a run (no time is shown); an operation that
// ran and made nothing does.
TEST(RunEntry, RefusalsAndEmptyResultsAreToldApart) {
    MessageLog log;
    const EntryRun refused = RunEntry(*FindOperationByCommand("range3d"), Source(100, 100), {}, log.reporter());
    EXPECT_FALSE(refused.finished);
    EXPECT_FALSE(refused.result);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "Convert to 3D needs a 128 x 128 image.");

    log.messages.clear();
    const ScopedPlanRefusal noPlans;
    const EntryRun empty = RunEntry(*FindOperationByCommand("spectrum"), Source(8, 8), {}, log.reporter());
    EXPECT_TRUE(empty.finished);
    EXPECT_FALSE(empty.result);
    EXPECT_EQ(log.messages.size(), 1u);
}

TEST(RunEntry, RunningOutOfMemoryIsReportedNotThrown) {
    const OperationEntry entry = EntryRunning(
        [](ImageView, const OperationArguments&, const Reporter&) -> OperationResult { throw std::bad_alloc(); });
    MessageLog log;
    EntryRun run;
    EXPECT_NO_THROW(run = RunEntry(entry, Source(2, 2), {}, log.reporter()));
    EXPECT_FALSE(run.finished);
    EXPECT_FALSE(run.result);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, "Not enough memory to complete the operation.");
    EXPECT_EQ(log.messages[0].caption, "Error");
    EXPECT_EQ(log.messages[0].icon, MessageIcon::None);
}

// Every kind of operation: point, neighbourhood, frequency, Hough.
constexpr const char* kEveryKind[] = {"negate", "gaussian", "equalize-area", "lowpass", "circles"};

// Sides that would make a negative or wrapped count, or that describe more or
// fewer pixels than the source holds, never reach an operation.
TEST(RunEntry, RefusesSidesThatDoNotDescribeTheSource) {
    const std::vector<std::uint8_t> source(16, 7);
    const std::span<const std::uint8_t> none;
    const ImageView refused[] = {{source, -4096, -4096}, {source, -4, -4},
                                 {source, 4, -4},        {none, 0, 0},
                                 {none, 0, 5},           {none, 65536, 65536},
                                 {none, 46341, 46341},   {source, 4, 3},
                                 {source, 5, 4},         {std::span(source).first(15), 4, 4}};
    MessageLog log;
    for (const char* command : kEveryKind) {
        const OperationEntry& entry = *FindOperationByCommand(command);
        for (const ImageView& image : refused) {
            EXPECT_THROW(RunEntry(entry, image, {}, log.reporter()), std::invalid_argument)
                << command << " " << image.width << " x " << image.height;
        }
        EXPECT_NO_THROW(RunEntry(entry, ImageView{source, 16, 1}, {}, log.reporter()));
        EXPECT_NO_THROW(RunEntry(entry, ImageView{source, 1, 16}, {}, log.reporter()));
        EXPECT_NO_THROW(RunEntry(entry, ImageView{source, 2, 8}, {}, log.reporter()));
    }
}

// A result owns its pixels: the source may change or go once it is made.
TEST(RunEntry, AResultHoldsItsOwnPixels) {
    for (const char* command : kEveryKind) {
        std::vector<std::uint8_t> source = {1, 2, 3, 4, 5, 6};
        MessageLog log;
        EntryRun run = RunEntry(*FindOperationByCommand(command), ImageView{source, 3, 2}, {}, log.reporter());
        ASSERT_TRUE(run.result) << command;
        const std::vector<std::uint8_t> made(run.result->pixels.begin(), run.result->pixels.end());
        EXPECT_EQ(source, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6})) << command << " left its source alone";
        source.assign(6, 99);
        EXPECT_EQ(std::vector<std::uint8_t>(run.result->pixels.begin(), run.result->pixels.end()), made) << command;
    }
}

TEST(RunEntry, TheTimeLineReadsAsBothFrontEndsShowIt) {
    EXPECT_EQ(CompletedIn(0), "Completed in 0 ms");
    EXPECT_EQ(CompletedIn(1234), "Completed in 1234 ms");
}

}  // namespace
}  // namespace lumagrove::session
