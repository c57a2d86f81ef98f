#pragma once

#include <array>
#include <cstdint>

#include "range3d/SurfaceOrientation.h"

namespace lumagrove {

// Counts of surface orientations in 72 azimuth bins of 36 polar bins each,
// and the search for the most frequent ones.
class OrientationHistogram {
public:
    void vote(OrientationBin bin);

    // The most frequent orientation (the first in azimuth-then-polar order on
    // a tie), whose count is then cleared so that the next search finds the
    // runner-up. When every count is 0 it repeats its last answer.
    OrientationBin nextPeak();

private:
    static constexpr std::int32_t kPolarBins = 36;
    static constexpr std::int32_t kAzimuthBins = 72;

    std::array<std::int32_t, kPolarBins * kAzimuthBins> counts_{};
    // Only a histogram that got no vote at all can leave the first search
    // without a peak. Every vote was then dropped, so every orientation is
    // (36, 71), which (0, 0) is not near: nothing gets labelled.
    OrientationBin lastPeak_{0, 0};
};

}  // namespace lumagrove
