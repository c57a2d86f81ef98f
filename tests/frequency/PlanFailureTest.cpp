#include <gtest/gtest.h>

#include "frequency/FftwPlanner.h"
#include "frequency/FrequencyFilters.h"
#include "support/MessageLog.h"
#include "support/TestImages.h"

namespace lumagrove {
namespace {

using testing::MessageLog;
using testing::RandomImage;
using testing::TestImage;

using FrequencyOperation = PixelArray (*)(ImageView, const Reporter&);

struct Case {
    const char* name;
    FrequencyOperation run;
    int plans;  // how many plans the operation makes
};

const Case kCases[] = {
    {"spectrum", [](ImageView work, const Reporter& report) { return FourierSpectrum(work, report); }, 2},
    {"low pass", [](ImageView work, const Reporter& report) { return GlobalLowPass(work, 3, 4, report); }, 4},
    {"high pass", [](ImageView work, const Reporter& report) { return GlobalHighPass(work, 3, 4, report); }, 4},
};

// Whichever plan fails, the user hears about it once, under an empty
// caption, and gets no image; the next call plans afresh and succeeds.
// Under the sanitizers this also shows that nothing made before the failure
// is leaked.
TEST(PlanFailure, ReportsOnceAndGivesNoImageWhicheverPlanFails) {
    const TestImage image = RandomImage(13, 10, 3);
    for (const Case& operation : kCases) {
        for (int granted = 0; granted < operation.plans; ++granted) {
            SCOPED_TRACE(::testing::Message() << operation.name << ", plan " << granted << " refused");
            const ImageView work{image.pixels, 13, 10};
            MessageLog log;
            {
                const ScopedPlanRefusal refusal(granted);
                EXPECT_TRUE(operation.run(work, log.reporter()).empty()) << operation.name << " plan " << granted;
            }
            ASSERT_EQ(log.messages.size(), 1u) << operation.name;
            EXPECT_EQ(log.messages[0].text, "Error Creating Plan");
            EXPECT_EQ(log.messages[0].caption, "");
            EXPECT_EQ(log.messages[0].icon, MessageIcon::None);

            const PixelArray retried = operation.run(work, log.reporter());
            EXPECT_EQ(retried.size(), image.pixels.size()) << operation.name;
            EXPECT_EQ(log.messages.size(), 1u);
        }
        // One plan more than the operation needs: no failure at all.
        const ImageView work{image.pixels, 13, 10};
        MessageLog log;
        const ScopedPlanRefusal refusal(operation.plans);
        EXPECT_FALSE(operation.run(work, log.reporter()).empty()) << operation.name;
        EXPECT_TRUE(log.messages.empty());
    }
}

}  // namespace
}  // namespace lumagrove
