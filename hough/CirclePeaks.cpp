#include "hough/CirclePeaks.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <span>
#include <vector>

#include "base/Bands.h"
#include "hough/CircleVoteRows.h"
#include "imaging/VectorClones.h"

namespace lumagrove {
namespace {

constexpr std::int32_t kLanes = CircleVoteRows::kLanes;
constexpr std::int32_t kReach = CircleVoteRows::kReach;
constexpr std::int32_t kWindow = 4;          // radii, columns and rows either side of a peak
constexpr std::int32_t kSmallestRadius = 4;  // radii searched for peaks
constexpr std::int32_t kLargestRadius = kLargestPeakRadius;
constexpr std::int32_t kMaximumMargin = 2;  // the largest counter is taken this far in from the border
constexpr std::int32_t kPeakMargin = 4;     // peaks are searched this far in
// Candidates are tracked per bin of columns. A bin at least as wide as the
// votes' reach plus the window means that everything a candidate depends on
// lies in its own bin or the two beside it.
constexpr std::int32_t kBinWidth = 32;
static_assert(kBinWidth >= kReach + kWindow);

// The 16 counters of one cell as one vector, so that a lane-wise maximum is
// a single instruction.
using Cell = std::uint8_t __attribute__((vector_size(kLanes)));

Cell CellAt(const std::uint8_t* cells, std::int32_t a) {
    Cell cell;
    std::memcpy(&cell, cells + static_cast<std::size_t>(a) * kLanes, kLanes);
    return cell;
}

// The largest counter of each lane over the columns first .. last of a row.
Cell LaneMaxima(const std::uint8_t* cells, std::int32_t first, std::int32_t last, Cell running = Cell{}) {
    for (std::int32_t a = first; a <= last; ++a) {
        const Cell cell = CellAt(cells, a);
        running = running > cell ? running : cell;
    }
    return running;
}

std::uint8_t LargestLane(Cell lanes, std::int32_t first, std::int32_t last) {
    std::uint8_t largest = 0;
    for (std::int32_t lane = std::max(first, 0); lane <= std::min(last, kReach); ++lane) {
        largest = std::max<std::uint8_t>(largest, lanes[lane]);
    }
    return largest;
}

// The largest of each counter over the rows c - 4 .. c + 4, for the columns
// first .. last, written from the start of maxima.
LUMAGROVE_VECTOR_CLONES
void ColumnMaxima(const CircleVoteRows& votes, std::int32_t c, std::int32_t first, std::int32_t last,
                  std::uint8_t* maxima) {
    const std::size_t offset = static_cast<std::size_t>(first) * kLanes;
    const std::size_t bytes = static_cast<std::size_t>(last - first + 1) * kLanes;
    std::copy_n(votes.cells(c - kWindow) + offset, bytes, maxima);
    for (std::int32_t k = c - kWindow + 1; k <= c + kWindow; ++k) {
        const std::uint8_t* cells = votes.cells(k) + offset;
        for (std::size_t i = 0; i < bytes; ++i) maxima[i] = std::max(maxima[i], cells[i]);
    }
}

// What the first sweep finds: the largest counter, which sets the threshold,
// and for every row and bin the largest counter a peak could have there.
struct VoteSurvey {
    std::uint8_t largest = 0;
    std::int32_t bins = 0;
    std::vector<std::uint8_t> binBest;
};

// The candidate columns of a bin: its own, within the area searched for peaks.
std::int32_t BinFirst(std::int32_t bin) { return std::max(bin * kBinWidth, kPeakMargin); }
std::int32_t BinLast(std::int32_t bin, std::int32_t width) {
    return std::min(bin * kBinWidth + kBinWidth - 1, width - 1 - kPeakMargin);
}

// Bands of centre rows, each swept on its own: a band votes again the rows
// its first rows need, so a few bands per thread are enough.
void ForEachSweepBand(std::int32_t height, const BandWork& work) {
    const std::ptrdiff_t bands = 2 * static_cast<std::ptrdiff_t>(ThreadCount());
    ForEachBand(height, std::max<std::ptrdiff_t>(128, (height + bands - 1) / bands), work);
}

VoteSurvey Survey(const EdgePoints& edges, std::int32_t width, std::int32_t height, std::int32_t radiusCount) {
    const std::int32_t bins = (width + kBinWidth - 1) / kBinWidth;
    VoteSurvey survey{0, bins, std::vector<std::uint8_t>(static_cast<std::size_t>(height) * bins, 0)};
    // Each band writes the rows of binBest it completes; the largest counter
    // is the same whichever band finds it.
    std::mutex comparing;
    ForEachSweepBand(height, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        std::uint8_t largest = 0;
        // Radii above 11 play no part here, and leaving them out spares about
        // half of the votes.
        CircleVoteRows votes(width, height, std::min(radiusCount, kLargestRadius + 1), 0);
        votes.sweep([&](std::int32_t y) { return edges.row(y); },
                    [&](std::int32_t k) {
                        if (k < kMaximumMargin || k > height - 1 - kMaximumMargin) return;
                        const std::uint8_t* cells = votes.cells(k);
                        const bool peakRow = k >= kPeakMargin && k <= height - 1 - kPeakMargin;
                        Cell all = LaneMaxima(cells, kMaximumMargin, kPeakMargin - 1);
                        all = LaneMaxima(cells, width - kPeakMargin, width - 1 - kMaximumMargin, all);
                        for (std::int32_t bin = 0; bin < bins; ++bin) {
                            const Cell inBin = LaneMaxima(cells, BinFirst(bin), BinLast(bin, width));
                            if (peakRow) {
                                survey.binBest[static_cast<std::size_t>(k) * bins + bin] =
                                    LargestLane(inBin, kSmallestRadius, kLargestRadius);
                            }
                            all = all > inBin ? all : inBin;
                        }
                        largest = std::max(largest, LargestLane(all, kSmallestRadius - 1, kLargestRadius));
                    },
                    static_cast<std::int32_t>(begin), static_cast<std::int32_t>(end));
        const std::lock_guard lock(comparing);
        survey.largest = std::max(survey.largest, largest);
    });
    return survey;
}

// Which edge pixels the second sweep needs: those within reach of the votes
// and the window of a candidate, found per row and bin.
class NeededVoters {
public:
    NeededVoters(const EdgePoints& edges, const std::vector<std::uint8_t>& candidateBins, std::int32_t bins,
                 std::int32_t height)
        : edges_(edges), bins_(bins), upTo_((static_cast<std::size_t>(height) + 1) * bins, 0), height_(height) {
        // upTo_[k][bin]: rows before k whose candidates lie in bin or a neighbour.
        for (std::int32_t k = 0; k < height; ++k) {
            for (std::int32_t bin = 0; bin < bins; ++bin) {
                bool near = false;
                for (std::int32_t other = std::max(bin - 1, 0); other <= std::min(bin + 1, bins - 1); ++other) {
                    near = near || candidateBins[static_cast<std::size_t>(k) * bins + other] != 0;
                }
                at(k + 1, bin) = at(k, bin) + near;
            }
        }
    }

    // The needed edge pixels of row y, in `voters`.
    std::span<const std::int32_t> operator()(std::int32_t y, std::vector<std::int32_t>& voters) const {
        const std::int32_t from = std::max(y - kReach - kWindow, 0);
        const std::int32_t to = std::min(y + kReach + kWindow + 1, height_);
        voters.clear();
        for (const std::int32_t x : edges_.row(y)) {
            const std::int32_t bin = x / kBinWidth;
            if (at(to, bin) > at(from, bin)) voters.push_back(x);
        }
        return voters;
    }

private:
    std::int32_t& at(std::int32_t k, std::int32_t bin) { return upTo_[static_cast<std::size_t>(k) * bins_ + bin]; }
    std::int32_t at(std::int32_t k, std::int32_t bin) const { return upTo_[static_cast<std::size_t>(k) * bins_ + bin]; }

    const EdgePoints& edges_;
    std::int32_t bins_;
    std::vector<std::int32_t> upTo_;
    std::int32_t height_;
};

}  // namespace

void FindCirclePeaks(const EdgePoints& edges, std::int32_t width, std::int32_t height, std::int32_t radiusCount,
                     const std::function<void(std::int32_t, std::int32_t, std::int32_t)>& onPeak) {
    // Too narrow or too low for a peak, or no radius of 4 or more held.
    if (width < 2 * kPeakMargin + 1 || height < 2 * kPeakMargin + 1 || radiusCount <= kSmallestRadius) return;
    const std::int32_t largestRadius = std::min(kLargestRadius, radiusCount - 1);

    // The threshold depends on every counter, so a first sweep finds it and
    // a second one looks for peaks, only where they can be.
    const VoteSurvey survey = Survey(edges, width, height, radiusCount);
    // For whole counts, exceeding largest * 0.6 is exceeding its integer part.
    const auto bound = static_cast<std::uint8_t>(survey.largest * 0.6);
    const std::int32_t bins = survey.bins;
    std::vector<std::uint8_t> candidateBins(survey.binBest.size());
    std::transform(survey.binBest.begin(), survey.binBest.end(), candidateBins.begin(),
                   [&](std::uint8_t best) { return best > bound; });
    if (std::none_of(candidateBins.begin(), candidateBins.end(), [](std::uint8_t c) { return c != 0; })) return;

    Cell candidateLanes{};
    for (std::int32_t r = kSmallestRadius; r <= largestRadius; ++r) candidateLanes[r] = 0xFF;
    Cell bounds;
    std::memset(&bounds, bound, kLanes);

    // Each band keeps its peaks; they are handed on band after band, in the
    // order one sweep down the whole image finds them.
    struct Peak {
        std::int32_t r;
        std::int32_t a;
        std::int32_t b;
    };
    std::map<std::ptrdiff_t, std::vector<Peak>> bandPeaks;
    std::mutex keeping;
    const NeededVoters needed(edges, candidateBins, bins, height);
    ForEachSweepBand(height, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        std::vector<Peak> peaks;
        std::vector<std::int32_t> voters;
        CircleVoteRows votes(width, height, std::min(radiusCount, kLanes), 2 * kWindow);
        std::vector<std::uint8_t> columnMaxima(static_cast<std::size_t>(kBinWidth + 2 * kWindow) * kLanes);
        const auto findPeaks = [&](std::int32_t k) {
            const std::int32_t c = k - kWindow;
            if (c < kPeakMargin) return;
            const std::uint8_t* cells = votes.cells(c);
            for (std::int32_t bin = 0; bin < bins; ++bin) {
                if (!candidateBins[static_cast<std::size_t>(c) * bins + bin]) continue;
                const std::int32_t first = BinFirst(bin);
                const std::int32_t last = BinLast(bin, width);
                ColumnMaxima(votes, c, first - kWindow, last + kWindow, columnMaxima.data());
                for (std::int32_t a = first; a <= last; ++a) {
                    const Cell cell = CellAt(cells, a);
                    const auto above = (cell & candidateLanes) > bounds;
                    std::uint64_t halves[2];
                    std::memcpy(halves, &above, sizeof halves);
                    if ((halves[0] | halves[1]) == 0) continue;
                    const Cell window = LaneMaxima(columnMaxima.data(), a - first, a - first + 2 * kWindow);
                    for (std::int32_t r = kSmallestRadius; r <= largestRadius; ++r) {
                        if (cell[r] > bound && LargestLane(window, r - kWindow, r + kWindow) <= cell[r]) {
                            peaks.push_back({r, a, c});
                        }
                    }
                }
            }
        };
        votes.sweep([&](std::int32_t y) { return needed(y, voters); }, findPeaks, static_cast<std::int32_t>(begin),
                    static_cast<std::int32_t>(end));
        const std::lock_guard lock(keeping);
        bandPeaks.emplace(begin, std::move(peaks));
    });
    for (const auto& [begin, peaks] : bandPeaks) {
        for (const Peak& peak : peaks) onPeak(peak.r, peak.a, peak.b);
    }
}

}  // namespace lumagrove
