#include <new>

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
    const OperationEntry entry = EntryRunning([](const SourceImage&, const OperationArguments&,
                                                 const Reporter&) -> OperationResult { throw std::bad_alloc(); });
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

TEST(RunEntry, TheTimeLineReadsAsBothFrontEndsShowIt) {
    EXPECT_EQ(CompletedIn(0), "Completed in 0 ms");
    EXPECT_EQ(CompletedIn(1234), "Completed in 1234 ms");
}

}  // namespace
}  // namespace lumagrove::session
