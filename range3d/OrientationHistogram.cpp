#include "range3d/OrientationHistogram.h"

#include <algorithm>

namespace lumagrove {

void OrientationHistogram::vote(OrientationBin bin) {
    // Polar bin 36 has no slot of its own: it lands on polar bin 0 of the next
    // azimuth bin, and after the last azimuth bin on nothing, so that vote is
    // dropped.
    const std::int32_t slot = bin.polar + kPolarBins * bin.azimuth;
    if (slot < static_cast<std::int32_t>(counts_.size())) ++counts_[static_cast<std::size_t>(slot)];
}

OrientationBin OrientationHistogram::nextPeak() {
    // Slots are laid out in search order, so the first largest count is the
    // one the search keeps.
    const auto peak = std::max_element(counts_.begin(), counts_.end());
    if (*peak > 0) {
        const auto slot = static_cast<std::int32_t>(peak - counts_.begin());
        lastPeak_ = {slot % kPolarBins, slot / kPolarBins};
        *peak = 0;
    }
    return lastPeak_;
}

}  // namespace lumagrove
