#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/PixelArray.h"
#include "hough/EdgePoints.h"

namespace lumagrove {

// Votes of edge pixels for straight lines. Row rho stands for the signed
// distance rho - rhoCount / 2 from the image centre, column t for the angle
// t - 180 degrees. The counters are 8 bits wide and wrap past 255.
class LineAccumulator {
public:
    static constexpr std::int32_t kAngles = 360;
    using Table = std::array<float, kAngles>;

    explicit LineAccumulator(std::int32_t rhoCount);

    // Adds one vote per angle for every edge pixel of a width x height image,
    // at the distance trunc((y - height/2) sin + (x - width/2) cos) formed in
    // double precision from the single-precision tables. Distances that
    // truncate to 0 or reach half of rhoCount in size are dropped.
    void vote(const EdgePoints& edges, std::int32_t width, std::int32_t height, const Table& sinTable,
              const Table& cosTable);

    std::int32_t rhoCount() const { return rhoCount_; }
    // The counters of angle t, one per distance row.
    const std::uint8_t* angle(std::int32_t t) const {
        return counters_.data() + static_cast<std::size_t>(t) * stride();
    }
    std::uint8_t at(std::int32_t rho, std::int32_t t) const { return angle(t)[rho]; }
    // The counters as a plane 360 wide and rhoCount high.
    PixelArray image() const;

private:
    std::size_t stride() const { return static_cast<std::size_t>(rhoCount_) + 1; }

    std::int32_t rhoCount_;
    // Stored angle by angle: neighbouring edge pixels vote at neighbouring
    // distances, so the votes of one pixel after another stay in the same
    // cache lines. Each angle has one more counter that takes the dropped
    // votes, so that voting needs no branch.
    std::vector<std::uint8_t> counters_;
};

}  // namespace lumagrove
