#include <gtest/gtest.h>

#include "frequency/FftwPlanner.h"
#include "frequency/FrequencyFilters.h"
#include "operations/OperationTable.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::ToVector;

// The entries hand the user's cut-off point over in the right order.
TEST(FrequencyRunners, GiveTheOperationsResultWithTheUsersCutoff) {
    const testing::TestImage image = testing::StructuredImage(40, 30, 6);
    const ImageView source{image.pixels, 40, 30};
    OperationArguments arguments;
    arguments.cutoffX = 7;
    arguments.cutoffY = 2;
    MessageLog log;
    const Reporter report = log.reporter();

    struct Expectation {
        const char* name;
        const char* command;
        PixelArray (*direct)(ImageView, const Reporter&);
    };
    const Expectation expectations[] = {
        {"spectrum", "spectrum", [](ImageView work, const Reporter& r) { return FourierSpectrum(work, r); }},
        {"low pass", "lowpass", [](ImageView work, const Reporter& r) { return GlobalLowPass(work, 7, 2, r); }},
        {"high pass", "highpass", [](ImageView work, const Reporter& r) { return GlobalHighPass(work, 7, 2, r); }},
    };
    for (const Expectation& expectation : expectations) {
        SCOPED_TRACE(expectation.name);
        const OperationResult result = FindOperationByCommand(expectation.command)->run(source, arguments, report);
        EXPECT_EQ(result.outcome, OperationOutcome::Image);
        EXPECT_EQ(result.width, 40);
        EXPECT_EQ(result.height, 30);
        EXPECT_EQ(ToVector(result.pixels), ToVector(expectation.direct(source, report)));
    }
    EXPECT_TRUE(log.messages.empty());
}

TEST(FrequencyRunners, GiveNoImageWhenNoPlanCanBeMade) {
    const testing::TestImage image = testing::RandomImage(8, 6, 1);
    const ImageView source{image.pixels, 8, 6};
    for (const char* command : {"spectrum", "lowpass", "highpass"}) {
        SCOPED_TRACE(command);
        MessageLog log;
        const ScopedPlanRefusal refusal;
        const OperationResult result =
            FindOperationByCommand(command)->run(source, OperationArguments{}, log.reporter());
        EXPECT_EQ(result.outcome, OperationOutcome::NoImage);
        EXPECT_TRUE(result.pixels.empty());
        EXPECT_EQ(log.messages.size(), 1u);
    }
}

}  // namespace
}  // namespace lumagrove
