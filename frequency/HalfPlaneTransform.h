#pragma once

#include <fftw3.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "frequency/FftwArrays.h"
#include "frequency/FftwPlanner.h"

namespace lumagrove {

// The unnormalised two-dimensional transform of a real W x H image, worked
// out the way the frequency operations need it.
//
// The transform of real data is conjugate-symmetric,
// X(u, v) = conj X((W - u) mod W, (H - v) mod H), so columns 0 .. W/2 (the
// half spectrum) hold all of it and the rest is never computed. Rows are
// transformed one at a time straight from the pixels, and columns in small
// blocks copied out to contiguous memory, so both passes run in cache; a
// textbook 2-D complex transform does twice the arithmetic and strides through
// the whole array, waiting on memory most of the time.
class HalfPlaneTransform {
public:
    enum class Use { ForwardOnly, ForwardAndBackward };

    // Columns moved through one block transform; 8 columns of a 4096-row
    // image fill half of a 1 MiB second-level cache.
    static constexpr std::int32_t kBlockColumns = 8;

    // Allocates the arrays and makes the plans for `use`. Nothing when FFTW
    // cannot make a plan; every plan made so far is destroyed by then.
    static std::optional<HalfPlaneTransform> Create(std::int32_t width, std::int32_t height, Use use);

    std::int32_t columns() const { return columns_; }

    // Row pass: row y of the half spectrum becomes the 1-D transform of row y
    // of `pixels` (W x H bytes).
    void transformRows(const std::uint8_t* pixels);

    // Column blocks: `count` (at most kBlockColumns) columns from `first` are
    // copied into the block, transformed there along their H rows, and may be
    // copied back.
    void loadColumns(std::int32_t first, std::int32_t count);
    void transformColumns(int direction);  // FFTW_FORWARD or FFTW_BACKWARD
    void storeColumns(std::int32_t first, std::int32_t count);
    fftw_complex* blockColumn(std::int32_t index) { return block_.get() + static_cast<std::size_t>(index) * height_; }

    // Backward row pass: `prepare(row)` may change each row of the half
    // spectrum first; then the row goes back to W real values, which take
    // its place in the same memory (the input row is used up by then, so no
    // second image-sized array is needed) and are shown to `finish(values)`
    // while still in cache. realRow(y) reads them later.
    template <typename Prepare, typename Finish>
    void transformRowsBack(Prepare&& prepare, Finish&& finish) {
        for (std::int32_t y = 0; y < height_; ++y) {
            fftw_complex* row = spectrumRow(y);
            prepare(row);
            restoreRow(row);
            finish(realRow(y));
        }
    }
    const double* realRow(std::int32_t y) const {
        return reinterpret_cast<const double*>(half_.get() + static_cast<std::size_t>(y) * stride_);
    }

private:
    fftw_complex* spectrumRow(std::int32_t y) { return half_.get() + static_cast<std::size_t>(y) * stride_; }

    HalfPlaneTransform(std::int32_t width, std::int32_t height);
    bool makePlans(Use use);
    void restoreRow(fftw_complex* row);

    std::int32_t width_;
    std::int32_t height_;
    std::int32_t columns_;
    // Elements per stored row: rounded up to whole 64-byte lines so that
    // every row is aligned like row 0, on which the row plans were made.
    std::size_t stride_;
    ComplexArray half_;
    RealArray line_;  // one row of real values, the row transforms' other end
    ComplexArray block_;
    FftwPlan rowForward_;
    FftwPlan rowBackward_;
    FftwPlan columnForward_;
    FftwPlan columnBackward_;
};

}  // namespace lumagrove
