#include "hough/CirclePeaks.h"

#include <algorithm>
#include <array>
#include <vector>

#include "hough/CircleVoteRows.h"
#include "hough/VectorClones.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kLanes = CircleVoteRows::kLanes;
constexpr std::int32_t kReach = CircleVoteRows::kReach;
constexpr std::int32_t kWindow = 4;          // radii, columns and rows either side of a peak
constexpr std::int32_t kSmallestRadius = 4;  // radii searched for peaks
constexpr std::int32_t kLargestRadius = 11;
constexpr std::int32_t kMaximumMargin = 2;   // the largest counter is taken this far in from the border
constexpr std::int32_t kPeakMargin = 4;      // peaks are searched this far in

using Lanes = std::array<std::uint8_t, kLanes>;

// The largest counter of each lane over the columns first .. last of a row.
LUMAGROVE_VECTOR_CLONES
void LaneMaxima(const std::uint8_t* cells, std::int32_t first, std::int32_t last, std::uint8_t* maxima) {
    for (std::int32_t a = first; a <= last; ++a) {
        for (std::int32_t lane = 0; lane < kLanes; ++lane) {
            maxima[lane] = std::max(maxima[lane], cells[a * kLanes + lane]);
        }
    }
}

// The largest of each counter over the rows c - 4 .. c + 4, for a whole row.
LUMAGROVE_VECTOR_CLONES
void ColumnMaxima(const CircleVoteRows& votes, std::int32_t c, std::size_t bytes, std::uint8_t* maxima) {
    std::copy_n(votes.cells(c - kWindow), bytes, maxima);
    for (std::int32_t k = c - kWindow + 1; k <= c + kWindow; ++k) {
        const std::uint8_t* cells = votes.cells(k);
        for (std::size_t i = 0; i < bytes; ++i) maxima[i] = std::max(maxima[i], cells[i]);
    }
}

std::uint8_t LargestLane(const Lanes& lanes, std::int32_t first, std::int32_t last) {
    return *std::max_element(lanes.begin() + std::max(first, 0), lanes.begin() + std::min(last, kReach) + 1);
}

// What the first sweep finds: the largest counter that sets the threshold,
// and per row the largest counter a peak could have.
struct VoteSurvey {
    std::uint8_t largest = 0;
    std::vector<std::uint8_t> rowBest;
};

VoteSurvey Survey(CircleVoteRows& votes, std::int32_t width, std::int32_t height) {
    VoteSurvey survey{0, std::vector<std::uint8_t>(static_cast<std::size_t>(height), 0)};
    votes.sweep([](std::int32_t) { return true; },
                [&](std::int32_t k) {
                    if (k < kMaximumMargin || k > height - 1 - kMaximumMargin) return;
                    const std::uint8_t* cells = votes.cells(k);
                    Lanes inner{};
                    LaneMaxima(cells, kPeakMargin, width - 1 - kPeakMargin, inner.data());
                    if (k >= kPeakMargin && k <= height - 1 - kPeakMargin) {
                        survey.rowBest[k] = LargestLane(inner, kSmallestRadius, kLargestRadius);
                    }
                    Lanes outer = inner;
                    LaneMaxima(cells, kMaximumMargin, kPeakMargin - 1, outer.data());
                    LaneMaxima(cells, width - kPeakMargin, width - 1 - kMaximumMargin, outer.data());
                    survey.largest =
                        std::max(survey.largest, LargestLane(outer, kSmallestRadius - 1, kLargestRadius));
                });
    return survey;
}

}  // namespace

void FindCirclePeaks(const EdgePoints& edges, std::int32_t width, std::int32_t height, std::int32_t radiusCount,
                     const std::function<void(std::int32_t, std::int32_t, std::int32_t)>& onPeak) {
    // Too narrow or too low for a peak, or no radius of 4 or more held.
    if (width < 2 * kPeakMargin + 1 || height < 2 * kPeakMargin + 1 || radiusCount <= kSmallestRadius) return;
    const std::int32_t heldRadii = std::min(radiusCount, kLanes);
    const std::int32_t largestRadius = std::min(kLargestRadius, heldRadii - 1);

    // The threshold depends on every counter, so a first sweep finds it and
    // a second one looks for peaks, only around rows that can hold one.
    CircleVoteRows votes(edges, width, height, heldRadii, 2 * kWindow);
    const VoteSurvey survey = Survey(votes, width, height);
    const double threshold = survey.largest * 0.6;

    // An edge row matters when a candidate row lies within the reach of its
    // votes plus the window.
    std::vector<std::int32_t> candidatesUpTo(static_cast<std::size_t>(height) + 1, 0);
    for (std::int32_t k = 0; k < height; ++k) candidatesUpTo[k + 1] = candidatesUpTo[k] + (survey.rowBest[k] > threshold);
    if (candidatesUpTo[height] == 0) return;
    const auto castsVotes = [&](std::int32_t y) {
        const std::int32_t from = std::max(y - kReach - kWindow, 0);
        const std::int32_t to = std::min(y + kReach + kWindow + 1, height);
        return candidatesUpTo[to] > candidatesUpTo[from];
    };

    const std::size_t rowBytes = static_cast<std::size_t>(width) * kLanes;
    std::vector<std::uint8_t> columnMaxima(rowBytes);
    votes.sweep(castsVotes, [&](std::int32_t k) {
        const std::int32_t c = k - kWindow;
        if (c < kPeakMargin || survey.rowBest[c] <= threshold) return;
        ColumnMaxima(votes, c, rowBytes, columnMaxima.data());
        const std::uint8_t* cells = votes.cells(c);
        for (std::int32_t a = kPeakMargin; a <= width - 1 - kPeakMargin; ++a) {
            const std::uint8_t* cell = cells + static_cast<std::size_t>(a) * kLanes;
            if (!std::any_of(cell + kSmallestRadius, cell + largestRadius + 1,
                             [&](std::uint8_t v) { return v > threshold; })) {
                continue;
            }
            Lanes window{};
            LaneMaxima(columnMaxima.data(), a - kWindow, a + kWindow, window.data());
            for (std::int32_t r = kSmallestRadius; r <= largestRadius; ++r) {
                if (cell[r] > threshold && LargestLane(window, r - kWindow, r + kWindow) <= cell[r]) onPeak(r, a, c);
            }
        }
    });
}

}  // namespace lumagrove
