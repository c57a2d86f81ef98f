#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace lumagrove {

// The work of one call split into bands of rows, run on one pool that every
// caller shares: Python threads, a batch's jobs and the desktop's windows
// together never use more threads than ThreadCount(). A band is given the
// rows begin <= y < end; the split depends on the load, so a band's result
// must never depend on where the band starts or ends.
using BandWork = std::function<void(std::ptrdiff_t begin, std::ptrdiff_t end)>;

// Runs work over [0, rows), in bands of about `minimumRows` rows or more (a
// band this size is worth handing to another thread), and returns when every band
// is done. An exception a band throws is thrown again here.
void ForEachBand(std::ptrdiff_t rows, std::ptrdiff_t minimumRows, const BandWork& work);

// For work where every pixel stands alone: runs work(begin, end) over spans
// of [0, count) that together cover it once.
void ForEachSpan(std::size_t count, const BandWork& work);

// The rows of `width` pixels a band should hold at least: enough to outweigh
// handing it to another thread.
std::ptrdiff_t MinimumBandRows(std::ptrdiff_t width);

// The threads calls may use: LUMAGROVE_THREADS when it holds a positive
// number, otherwise every core, until SetThreadCount changes it.
std::int32_t ThreadCount();
// A count below 1 means every core.
void SetThreadCount(std::int32_t threads);

}  // namespace lumagrove
