#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace lumagrove {

// Comparator networks that sort a few values, or pick one order statistic
// of several sorted lists: a fixed sequence of minima and maxima, the same
// for every pixel, so that whole vector registers of pixels go through it at
// once. They are worked out by the compiler from Batcher's odd-even merge
// sort, with every comparator that cannot reach a wanted output left out,
// and run fully unrolled.

// After a comparator, slot `low` holds the smaller of the two values and
// slot `high` the larger; where only one of them is used later, only that
// one is computed.
struct Comparator {
    enum class Keep : std::uint8_t { Both, Low, High };
    std::uint16_t low = 0;
    std::uint16_t high = 0;
    Keep keep = Keep::Both;
};

inline constexpr std::size_t kMostComparators = 128;
inline constexpr std::size_t kMostSlots = 64;

struct SelectionNetwork {
    std::array<Comparator, kMostComparators> comparators{};
    std::size_t size = 0;
    std::array<std::uint16_t, kMostSlots> outputs{};  // the slot holding each wanted rank, in order
};

namespace network_detail {

constexpr std::int32_t PowerOfTwoAtLeast(std::int32_t n) {
    std::int32_t power = 1;
    while (power < n) power *= 2;
    return power;
}

// The network on `blocks` blocks of `blockSize` positions (a power of two),
// each holding `valuesPerBlock` values and then +infinity, already sorted
// within runs of `sortedSize`; it delivers the positions first .. first +
// count - 1 of the sorted order. Positions beyond the values sort to the
// end and cost nothing: a comparator against +infinity compares nothing,
// it only renames which slot sits where.
constexpr SelectionNetwork Build(std::int32_t blocks, std::int32_t blockSize, std::int32_t valuesPerBlock,
                                 std::int32_t sortedSize, std::int32_t first, std::int32_t count) {
    constexpr std::int32_t kInfinity = -1;
    const std::int32_t n = blockSize * PowerOfTwoAtLeast(blocks);
    std::array<std::int32_t, 2 * kMostSlots> slotAt{};
    slotAt.fill(kInfinity);
    for (std::int32_t b = 0; b < blocks; ++b) {
        for (std::int32_t i = 0; i < valuesPerBlock; ++i) slotAt[b * blockSize + i] = b * valuesPerBlock + i;
    }
    std::array<Comparator, 4 * kMostComparators> all{};
    std::size_t allSize = 0;
    // Batcher's odd-even merge sort, stage p merging runs of p into runs of 2p.
    for (std::int32_t p = sortedSize; p < n; p *= 2) {
        for (std::int32_t k = p; k >= 1; k /= 2) {
            for (std::int32_t j = k % p; j + k < n; j += 2 * k) {
                for (std::int32_t i = 0; i < k && i + j + k < n; ++i) {
                    if ((i + j) / (2 * p) != (i + j + k) / (2 * p)) continue;
                    const std::int32_t low = slotAt[i + j];
                    const std::int32_t high = slotAt[i + j + k];
                    if (high == kInfinity) continue;
                    if (low == kInfinity) {
                        std::swap(slotAt[i + j], slotAt[i + j + k]);
                        continue;
                    }
                    all[allSize++] = {static_cast<std::uint16_t>(low), static_cast<std::uint16_t>(high)};
                }
            }
        }
    }
    SelectionNetwork network;
    std::array<bool, kMostSlots> needed{};
    for (std::int32_t rank = 0; rank < count; ++rank) {
        const std::int32_t slot = slotAt[first + rank];
        network.outputs[rank] = static_cast<std::uint16_t>(slot);
        needed[slot] = true;
    }
    // Backwards from the outputs: a comparator neither of whose results is
    // used later goes, and one with a single used result computes only it.
    std::array<Comparator, kMostComparators> reversed{};
    for (std::size_t c = allSize; c-- > 0;) {
        Comparator comparator = all[c];
        const bool low = needed[comparator.low];
        const bool high = needed[comparator.high];
        if (!low && !high) continue;
        comparator.keep = low && high ? Comparator::Keep::Both : low ? Comparator::Keep::Low : Comparator::Keep::High;
        needed[comparator.low] = needed[comparator.high] = true;
        reversed[network.size++] = comparator;
    }
    for (std::size_t c = 0; c < network.size; ++c) network.comparators[c] = reversed[network.size - 1 - c];
    return network;
}

template <Comparator kComparator, typename Vector>
[[gnu::always_inline]] inline void Compare(Vector* slots) {
    const Vector a = slots[kComparator.low];
    const Vector b = slots[kComparator.high];
    if constexpr (kComparator.keep != Comparator::Keep::High) slots[kComparator.low] = a < b ? a : b;
    if constexpr (kComparator.keep != Comparator::Keep::Low) slots[kComparator.high] = a < b ? b : a;
}

template <const SelectionNetwork& kNetwork, typename Vector, std::size_t... kIndex>
[[gnu::always_inline]] inline void RunUnrolled(Vector* slots, std::index_sequence<kIndex...>) {
    (Compare<kNetwork.comparators[kIndex]>(slots), ...);
}

}  // namespace network_detail

// Sorts `count` values in slots 0 .. count - 1; outputs[i] holds rank i.
constexpr SelectionNetwork SortingNetwork(std::int32_t count) {
    return network_detail::Build(1, network_detail::PowerOfTwoAtLeast(count), count, 1, 0, count);
}

// The median of `side` sorted lists of `side` values each, list c in slots
// c * side .. c * side + side - 1 from smallest to largest; outputs[0] holds it.
constexpr SelectionNetwork MedianOfSortedLists(std::int32_t side) {
    const std::int32_t blockSize = network_detail::PowerOfTwoAtLeast(side);
    return network_detail::Build(side, blockSize, side, blockSize, side * side / 2, 1);
}

// Runs the network over vectors of lanes (GCC vector types, compared lane by lane).
template <const SelectionNetwork& kNetwork, typename Vector>
[[gnu::always_inline]] inline void RunNetwork(Vector* slots) {
    network_detail::RunUnrolled<kNetwork>(slots, std::make_index_sequence<kNetwork.size>());
}

}  // namespace lumagrove
