#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "base/Bands.h"
#include "imaging/Median.h"
#include "imaging/SelectionNetwork.h"
#include "imaging/VectorClones.h"

// The vector helpers below are inlined into the functions per size, so no
// vector crosses a call: the warning that 32-byte vectors are passed
// differently with and without AVX does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace lumagrove {
namespace {

// Row or column `index` clamped into 0 .. size - 1: the replicated edge.
std::int64_t Clamped(std::int64_t index, std::int32_t size) { return std::clamp<std::int64_t>(index, 0, size - 1); }

// How many places of a window of radius r centred on `centre` take their
// value from row (or column) `index` once the edges are replicated: one for
// an inner row, and every place beyond the edge for an edge row.
std::int64_t Multiplicity(std::int32_t index, std::int32_t centre, std::int64_t radius, std::int32_t size) {
    const std::int64_t offset = std::int64_t{index} - centre;
    const std::int64_t first = index == 0 ? -radius : std::max(offset, -radius);
    const std::int64_t last = index == size - 1 ? radius : std::min(offset, radius);
    return std::max<std::int64_t>(0, last - first + 1);
}

// The lanes the networks work on at once: 32 pixels, one AVX2 register (two
// SSE2 registers in the portable build), read and written anywhere in a row
// (memcpy: the compiler makes it one unaligned load or store).
constexpr std::int32_t kLanes = 32;
using Lanes = std::uint8_t __attribute__((vector_size(kLanes)));

[[gnu::always_inline]] inline Lanes Load(const std::uint8_t* from) {
    Lanes lanes;
    std::memcpy(&lanes, from, kLanes);
    return lanes;
}
[[gnu::always_inline]] inline void Store(std::uint8_t* to, Lanes lanes) { std::memcpy(to, &lanes, kLanes); }

// The last columns of a row go through a copy, so that no read passes its end.
[[gnu::always_inline]] inline Lanes LoadPart(const std::uint8_t* from, std::int32_t count) {
    std::uint8_t part[kLanes] = {};
    std::memcpy(part, from, static_cast<std::size_t>(count));
    return Load(part);
}

// Small windows: every column of the window is sorted once for the row (a
// sorted column serves `side` windows), then a network picks the median of
// the window's sorted columns, kLanes pixels at a time. The loops over the
// window are unrolled so that the slots live in registers.

// rows[i] is the row i - side / 2 away from the output row, clamped;
// ranks[i][side / 2 + x] becomes the i-th smallest value of column x.
template <std::int32_t kSide, std::size_t... kRow>
[[gnu::always_inline]] inline void SortColumns(const std::uint8_t* const* rows, std::int32_t width,
                                               std::uint8_t* const* ranks, std::index_sequence<kRow...>) {
    static constexpr SelectionNetwork kColumnSort = SortingNetwork(kSide);
    std::int32_t x = 0;
    for (; x + kLanes <= width; x += kLanes) {
        Lanes slots[kSide] = {Load(rows[kRow] + x)...};
        RunNetwork<kColumnSort>(slots);
        (Store(ranks[kRow] + kSide / 2 + x, slots[kColumnSort.outputs[kRow]]), ...);
    }
    if (x < width) {
        Lanes slots[kSide] = {LoadPart(rows[kRow] + x, width - x)...};
        RunNetwork<kColumnSort>(slots);
        (Store(ranks[kRow] + kSide / 2 + x, slots[kColumnSort.outputs[kRow]]), ...);
    }
}

// ranks as SortColumns leaves them, the edge columns replicated outward.
template <std::int32_t kSide, std::size_t... kSlot>
[[gnu::always_inline]] inline void PickMedians(const std::uint8_t* const* ranks, std::int32_t width, std::uint8_t* out,
                                               std::index_sequence<kSlot...>) {
    static constexpr SelectionNetwork kMedian = MedianOfSortedLists(kSide);
    for (std::int32_t x = 0; x < width; x += kLanes) {
        // Slot c * side + i: rank i of column c of the window.
        Lanes slots[kSide * kSide] = {Load(ranks[kSlot % kSide] + x + kSlot / kSide)...};
        RunNetwork<kMedian>(slots);
        if (x + kLanes <= width) {
            Store(out + x, slots[kMedian.outputs[0]]);
        } else {
            std::memcpy(out + x, &slots[kMedian.outputs[0]], static_cast<std::size_t>(width - x));
        }
    }
}

// One function per size, so that each is compiled for AVX2 and the baseline.
LUMAGROVE_VECTOR_CLONES
void SortColumnsOf3(const std::uint8_t* const* rows, std::int32_t width, std::uint8_t* const* ranks) {
    SortColumns<3>(rows, width, ranks, std::make_index_sequence<3>());
}
LUMAGROVE_VECTOR_CLONES
void SortColumnsOf5(const std::uint8_t* const* rows, std::int32_t width, std::uint8_t* const* ranks) {
    SortColumns<5>(rows, width, ranks, std::make_index_sequence<5>());
}
LUMAGROVE_VECTOR_CLONES
void PickMediansOf3(const std::uint8_t* const* ranks, std::int32_t width, std::uint8_t* out) {
    PickMedians<3>(ranks, width, out, std::make_index_sequence<9>());
}
LUMAGROVE_VECTOR_CLONES
void PickMediansOf5(const std::uint8_t* const* ranks, std::int32_t width, std::uint8_t* out) {
    PickMedians<5>(ranks, width, out, std::make_index_sequence<25>());
}

template <std::int32_t kSide>
struct NetworkMedian {
    static constexpr std::int32_t kRadius = kSide / 2;

    void filterRows(ImageView image, std::uint8_t* output, std::ptrdiff_t firstRow, std::ptrdiff_t endRow) const {
        const std::int32_t width = image.width;
        const std::size_t rankWidth = static_cast<std::size_t>((width + kLanes - 1) / kLanes) * kLanes + 2 * kRadius;
        std::vector<std::uint8_t> rankBytes(rankWidth * kSide);
        std::uint8_t* ranks[kSide];
        const std::uint8_t* rows[kSide];
        for (std::int32_t i = 0; i < kSide; ++i) ranks[i] = rankBytes.data() + i * rankWidth;
        for (std::ptrdiff_t y = firstRow; y < endRow; ++y) {
            for (std::int32_t i = 0; i < kSide; ++i) {
                rows[i] = image.pixels.data() + Clamped(y - kRadius + i, image.height) * width;
            }
            kSide == 3 ? SortColumnsOf3(rows, width, ranks) : SortColumnsOf5(rows, width, ranks);
            // Columns beyond the edges are copies of the edge columns, sorted alike.
            for (std::uint8_t* rank : ranks) {
                std::fill_n(rank, kRadius, rank[kRadius]);
                std::fill_n(rank + kRadius + width, kRadius, rank[kRadius + width - 1]);
            }
            kSide == 3 ? PickMediansOf3(ranks, width, output + y * width)
                       : PickMediansOf5(ranks, width, output + y * width);
        }
    }
};

// A square window's reach from its centre, and the median's place among
// its values, counted from 1.
struct MedianWindow {
    explicit MedianWindow(std::int32_t side)
        : radius(std::max(side, 1) / 2), rank(((2 * radius + 1) * (2 * radius + 1) + 1) / 2) {}

    std::int64_t radius;
    std::int64_t rank;
};

// Middling windows: a histogram of the window slides along the row, losing
// the column that leaves and gaining the one that enters (Huang's method),
// and the median moves from where it was. Rows are counted with their
// multiplicity, so places beyond the edges cost nothing of their own.
class HistogramMedian : MedianWindow {
public:
    explicit HistogramMedian(std::int32_t side) : MedianWindow(side) {}

    void filterRows(ImageView image, std::uint8_t* output, std::ptrdiff_t firstRow, std::ptrdiff_t endRow) const {
        const std::int32_t width = image.width;
        const std::int32_t height = image.height;
        for (std::ptrdiff_t y = firstRow; y < endRow; ++y) {
            ThrowIfStopped();
            const auto centre = static_cast<std::int32_t>(y);
            const auto top = static_cast<std::int32_t>(Clamped(centre - radius, height));
            const auto bottom = static_cast<std::int32_t>(Clamped(centre + radius, height));
            std::vector<std::int64_t> rowWeight(static_cast<std::size_t>(bottom - top + 1));
            for (std::int32_t row = top; row <= bottom; ++row) {
                rowWeight[row - top] = Multiplicity(row, centre, radius, height);
            }
            std::array<std::int64_t, 256> counts{};
            std::int32_t median = 0;
            std::int64_t below = 0;  // how many of the window's values are under `median`
            const auto addColumn = [&](std::int64_t column, std::int64_t weight) {
                const std::uint8_t* pixel = image.pixels.data() + static_cast<std::size_t>(top) * width + column;
                for (std::int32_t row = top; row <= bottom; ++row, pixel += width) {
                    const std::int64_t places = weight * rowWeight[row - top];
                    counts[*pixel] += places;
                    if (*pixel < median) below += places;
                }
            };
            const auto last = static_cast<std::int32_t>(Clamped(radius, width));
            for (std::int32_t column = 0; column <= last; ++column) {
                addColumn(column, Multiplicity(column, 0, radius, width));
            }
            std::uint8_t* out = output + y * width;
            for (std::int32_t x = 0;; ++x) {
                while (below + counts[median] < rank) below += counts[median++];
                while (below >= rank) below -= counts[--median];
                out[x] = static_cast<std::uint8_t>(median);
                if (x + 1 == width) break;
                const std::int64_t leaving = Clamped(x - radius, width);
                const std::int64_t entering = Clamped(std::int64_t{x} + radius + 1, width);
                if (leaving == entering) continue;
                addColumn(leaving, -1);
                addColumn(entering, 1);
            }
        }
    }
};

// Large windows: Perreault and Hebert's constant-time method. Each column
// keeps the histogram of its part of the window, which moves down a row by
// one pixel out and one in; the window's histogram is the sum of its
// columns', kept at two levels: 16 coarse bins moved along with the window,
// and the 16 fine bins under a coarse bin brought up to date only when the
// median falls in it. A pixel costs the same whatever the window's size.
class ConstantTimeMedian : MedianWindow {
public:
    explicit ConstantTimeMedian(std::int32_t side) : MedianWindow(side) {}

    void filterRows(ImageView image, std::uint8_t* output, std::ptrdiff_t firstRow, std::ptrdiff_t endRow) const {
        const std::int32_t width = image.width;
        const std::int32_t height = image.height;
        // Column x's counts of each level (fine) and of each 16 levels (coarse);
        // a column holds at most `side` places, which 32 bits count.
        ColumnHistograms columns{std::vector<std::uint32_t>(static_cast<std::size_t>(width) * 256),
                                 std::vector<std::uint32_t>(static_cast<std::size_t>(width) * 16)};
        const auto addRow = [&](std::int64_t row, std::int64_t places) {
            const std::uint8_t* pixel = image.pixels.data() + row * width;
            const auto count = static_cast<std::uint32_t>(places);  // -1 wraps, and so takes one away
            for (std::int32_t x = 0; x < width; ++x) {
                columns.fine[static_cast<std::size_t>(x) * 256 + pixel[x]] += count;
                columns.coarse[static_cast<std::size_t>(x) * 16 + pixel[x] / 16] += count;
            }
        };
        const auto first = static_cast<std::int32_t>(firstRow);
        for (std::int64_t row = Clamped(first - radius, height); row <= Clamped(first + radius, height); ++row) {
            addRow(row, Multiplicity(static_cast<std::int32_t>(row), first, radius, height));
        }
        for (std::ptrdiff_t y = firstRow; y < endRow; ++y) {
            ThrowIfStopped();
            if (y > firstRow) {
                const std::int64_t leaving = Clamped(y - 1 - radius, height);
                const std::int64_t entering = Clamped(y + radius, height);
                if (leaving != entering) {
                    addRow(leaving, -1);
                    addRow(entering, 1);
                }
            }
            filterRow(columns, width, output + y * width);
        }
    }

private:
    struct ColumnHistograms {
        std::vector<std::uint32_t> fine;
        std::vector<std::uint32_t> coarse;
    };

    void filterRow(const ColumnHistograms& columns, std::int32_t width, std::uint8_t* out) const {
        constexpr std::int32_t kNever = -1;
        std::array<std::int64_t, 16> coarse{};
        std::array<std::int64_t, 256> fine{};
        std::array<std::int32_t, 16> fineAt{};  // the window position each group of fine bins was last right for
        fineAt.fill(kNever);
        const auto addCoarse = [&](std::int64_t column, std::int64_t places) {
            const std::uint32_t* counts = columns.coarse.data() + column * 16;
            for (std::int32_t bin = 0; bin < 16; ++bin) coarse[bin] += places * counts[bin];
        };
        const auto addFine = [&](std::int64_t column, std::int32_t bin, std::int64_t places) {
            const std::uint32_t* counts = columns.fine.data() + column * 256 + bin * 16;
            for (std::int32_t level = 0; level < 16; ++level) fine[bin * 16 + level] += places * counts[level];
        };
        for (std::int64_t column = 0; column <= Clamped(radius, width); ++column) {
            addCoarse(column, Multiplicity(static_cast<std::int32_t>(column), 0, radius, width));
        }
        // A window holds at most this many distinct columns; catching up on
        // more steps than that costs more than adding the window up afresh.
        const std::int64_t distinctColumns = std::min<std::int64_t>(2 * radius + 1, width);
        for (std::int32_t x = 0; x < width; ++x) {
            if (x > 0) {
                const std::int64_t leaving = Clamped(x - 1 - radius, width);
                const std::int64_t entering = Clamped(x + radius, width);
                if (leaving != entering) {
                    addCoarse(leaving, -1);
                    addCoarse(entering, 1);
                }
            }
            std::int64_t below = 0;
            std::int32_t bin = 0;
            while (below + coarse[bin] < rank) below += coarse[bin++];
            if (fineAt[bin] == kNever || x - fineAt[bin] > distinctColumns) {
                std::fill_n(fine.begin() + bin * 16, 16, 0);
                for (std::int64_t column = Clamped(x - radius, width); column <= Clamped(x + radius, width); ++column) {
                    addFine(column, bin, Multiplicity(static_cast<std::int32_t>(column), x, radius, width));
                }
            } else {
                for (std::int32_t step = fineAt[bin] + 1; step <= x; ++step) {
                    const std::int64_t leaving = Clamped(step - 1 - radius, width);
                    const std::int64_t entering = Clamped(step + radius, width);
                    if (leaving == entering) continue;
                    addFine(leaving, bin, -1);
                    addFine(entering, bin, 1);
                }
            }
            fineAt[bin] = x;
            std::int32_t level = bin * 16;
            while (below + fine[level] < rank) below += fine[level++];
            out[x] = static_cast<std::uint8_t>(level);
        }
    }
};

template <typename Filter>
PixelArray FilterInBands(ImageView image, const Filter& filter) {
    PixelArray result(image.pixels.size());
    ForEachBand(image.height, MinimumBandRows(image.width),
                [&](std::ptrdiff_t begin, std::ptrdiff_t end) { filter.filterRows(image, result.data(), begin, end); });
    return result;
}

// Where the constant-time method's fixed cost per pixel falls below the
// sliding histogram's, which grows with the window.
constexpr std::int32_t kConstantTimeFrom = 25;

}  // namespace

PixelArray MedianFilter(ImageView image, std::int32_t window) {
    if (image.width <= 0 || image.height <= 0) return PixelArray(image.pixels.size());
    // The networks pay off where they stay short; 7 x 7 would need hundreds
    // of comparators per pixel.
    if (window == 3 || window == 5) {
        return window == 3 ? FilterInBands(image, NetworkMedian<3>()) : FilterInBands(image, NetworkMedian<5>());
    }
    if (window < kConstantTimeFrom) return FilterInBands(image, HistogramMedian(window));
    return FilterInBands(image, ConstantTimeMedian(window));
}

}  // namespace lumagrove
