#include <utility>

#include <gtest/gtest.h>

#include "frequency/FftwPlanner.h"
#include "imaging/FilterImage.h"
#include "operations/Runners.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::ToVector;

// The runners hand the user's cut-off point over in the right order and keep
// the result alive after their working image is gone.
TEST(FrequencyRunners, GiveTheOperationsResultWithTheUsersCutoff) {
    const testing::TestImage image = testing::StructuredImage(40, 30, 6);
    const SourceImage source{image.pixels, 40, 30};
    OperationArguments arguments;
    arguments.cutoffX = 7;
    arguments.cutoffY = 2;
    MessageLog log;
    const Reporter report = log.reporter();

    struct Expectation {
        const char* name;
        OperationRunner runner;
        PixelArray (*direct)(FilterImage&, const Reporter&);
    };
    const Expectation expectations[] = {
        {"spectrum", runners::FourierSpectrum,
         [](FilterImage& work, const Reporter& r) { return work.fourierSpectrum(r); }},
        {"low pass", runners::GlobalLowPass,
         [](FilterImage& work, const Reporter& r) { return work.globalLowPass(7, 2, r); }},
        {"high pass", runners::GlobalHighPass,
         [](FilterImage& work, const Reporter& r) { return work.globalHighPass(7, 2, r); }},
    };
    for (const Expectation& expectation : expectations) {
        SCOPED_TRACE(expectation.name);
        const OperationResult result = expectation.runner(source, arguments, report);
        EXPECT_EQ(result.outcome, OperationOutcome::Image);
        EXPECT_EQ(result.width, 40);
        EXPECT_EQ(result.height, 30);
        FilterImage work(image.pixels, 40, 30);
        EXPECT_EQ(ToVector(result.pixels), ToVector(expectation.direct(work, report)));
    }
    EXPECT_TRUE(log.messages.empty());
}

TEST(FrequencyRunners, GiveNoImageWhenNoPlanCanBeMade) {
    const testing::TestImage image = testing::RandomImage(8, 6, 1);
    const SourceImage source{image.pixels, 8, 6};
    using Named = std::pair<const char*, OperationRunner>;
    for (const auto& [name, runner] :
         {Named{"spectrum", runners::FourierSpectrum}, Named{"low pass", runners::GlobalLowPass},
          Named{"high pass", runners::GlobalHighPass}}) {
        SCOPED_TRACE(name);
        MessageLog log;
        const ScopedPlanRefusal refusal;
        const OperationResult result = runner(source, OperationArguments{}, log.reporter());
        EXPECT_EQ(result.outcome, OperationOutcome::NoImage);
        EXPECT_TRUE(result.pixels.empty());
        EXPECT_EQ(log.messages.size(), 1u);
    }
}

}  // namespace
}  // namespace lumagrove
