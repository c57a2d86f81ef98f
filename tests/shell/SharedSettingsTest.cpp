#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "shell/SharedSettings.h"

namespace lumagrove::shell {
namespace {

// A dialog's OK writes its values together; a command starting meanwhile must
// see all of them from one OK, never some from the one before.
TEST(SharedSettings, ASnapshotHoldsTheValuesOfOneDialogOnly) {
    const auto applyOk = [](SharedSettings& settings, bool first) {
        settings.setParameters(first ? 7 : 9, first ? 2.5 : 4.5, first ? 70 : 90);
        settings.setEdgeParameters(first ? 11 : 13, first ? 110 : 130);
    };
    SharedSettings settings;
    applyOk(settings, true);
    // The writer starts once the reader reads, and the reader keeps reading
    // for as long as the writer applies OKs.
    std::atomic<bool> reading = false;
    std::atomic<int> applied = 0;
    std::thread writer([&] {
        while (!reading) std::this_thread::yield();
        for (int i = 1; i <= 500000; ++i) {
            applyOk(settings, i % 2 == 0);
            applied = i;
        }
    });
    int mixtures = 0;
    while (applied < 500000) {
        const Settings seen = settings.snapshot();
        reading = true;
        const bool first = seen.windowSize == 7;
        if (seen.threshold != (first ? 70 : 90) || seen.sigma != (first ? 2.5 : 4.5)) ++mixtures;
        if (seen.gradientDirection != seen.gradientThreshold * 10) ++mixtures;
    }
    writer.join();
    EXPECT_EQ(mixtures, 0);
}

}  // namespace
}  // namespace lumagrove::shell
